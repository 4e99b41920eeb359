#pragma once
// A ZIP container of stored (uncompressed) entries, enough for an OOXML package.
//
//   OfficeZipWriter zip(device);           // a seekable device opened for writing
//   zip.addFile("[Content_Types].xml", bytes);
//   zip.beginFile("word/document.xml"); zip.write(part); ...; zip.endFile();
//   zip.finish();                          // central directory; false on any write error
//
// An entry written piecewise gets its CRC-32 and sizes patched into its local header at
// endFile(), so large parts are never held in memory. No ZIP64: entries and archive stay
// below 4 GiB (finish() fails beyond).

#include <QByteArray>
#include <QString>
#include <QVector>

class QIODevice;

class OfficeZipWriter {
public:
    explicit OfficeZipWriter(QIODevice& device);

    bool addFile(const QString& name, const QByteArray& data);
    bool beginFile(const QString& name);
    bool write(const QByteArray& data);
    bool endFile();
    bool finish();
    bool ok() const { return ok_; }

    // CRC-32 (ISO-HDLC polynomial) over data, continuing from crc.
    static quint32 crc32(const QByteArray& data, quint32 crc = 0);

private:
    struct Entry {
        QByteArray name;
        quint32 crc = 0;
        quint64 size = 0;
        quint64 offset = 0;
    };
    bool put(const QByteArray& bytes);

    QIODevice& device_;
    QVector<Entry> entries_;
    bool inEntry_ = false;
    bool ok_ = true;
};
