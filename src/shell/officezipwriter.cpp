#include "shell/officezipwriter.h"

#include <QIODevice>
#include <QtEndian>

#include <array>

namespace {

constexpr quint64 zipLimit = 0xFFFFFFFFull;
// 1980-01-01 00:00 in DOS form; the package needs no real file times.
constexpr quint16 dosTime = 0;
constexpr quint16 dosDate = (0 << 9) | (1 << 5) | 1;

void put16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

QByteArray localHeader(const QByteArray& name, quint32 crc, quint32 size)
{
    QByteArray h;
    put32(h, 0x04034b50);
    put16(h, 20);          // version needed
    put16(h, 0x0800);      // names in UTF-8
    put16(h, 0);           // stored
    put16(h, dosTime);
    put16(h, dosDate);
    put32(h, crc);
    put32(h, size);        // compressed
    put32(h, size);        // uncompressed
    put16(h, quint16(name.size()));
    put16(h, 0);
    h.append(name);
    return h;
}

const std::array<quint32, 256>& crcTable()
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    return table;
}

}  // namespace

OfficeZipWriter::OfficeZipWriter(QIODevice& device) : device_(device)
{
    ok_ = device_.isWritable() && !device_.isSequential();
}

quint32 OfficeZipWriter::crc32(const QByteArray& data, quint32 crc)
{
    const auto& table = crcTable();
    crc = ~crc;
    for (char ch : data)
        crc = table[(crc ^ quint8(ch)) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

bool OfficeZipWriter::put(const QByteArray& bytes)
{
    if (ok_ && device_.write(bytes) != bytes.size())
        ok_ = false;
    return ok_;
}

bool OfficeZipWriter::addFile(const QString& name, const QByteArray& data)
{
    return beginFile(name) && write(data) && endFile();
}

bool OfficeZipWriter::beginFile(const QString& name)
{
    if (!ok_ || inEntry_)
        return ok_ = false;
    Entry e;
    e.name = name.toUtf8();
    e.offset = quint64(device_.pos());
    entries_.append(e);
    inEntry_ = true;
    return put(localHeader(e.name, 0, 0));
}

bool OfficeZipWriter::write(const QByteArray& data)
{
    if (!inEntry_)
        return ok_ = false;
    Entry& e = entries_.last();
    e.crc = crc32(data, e.crc);
    e.size += quint64(data.size());
    return put(data);
}

bool OfficeZipWriter::endFile()
{
    if (!inEntry_)
        return ok_ = false;
    inEntry_ = false;
    const Entry& e = entries_.last();
    if (e.size > zipLimit)
        return ok_ = false;
    const qint64 end = device_.pos();
    if (!ok_ || !device_.seek(qint64(e.offset)))
        return ok_ = false;
    put(localHeader(e.name, e.crc, quint32(e.size)));
    if (!device_.seek(end))
        ok_ = false;
    return ok_;
}

bool OfficeZipWriter::finish()
{
    if (inEntry_ || !ok_)
        return ok_ = false;
    const quint64 start = quint64(device_.pos());
    QByteArray directory;
    for (const Entry& e : entries_) {
        put32(directory, 0x02014b50);
        put16(directory, 20);      // made by
        put16(directory, 20);      // needed
        put16(directory, 0x0800);
        put16(directory, 0);
        put16(directory, dosTime);
        put16(directory, dosDate);
        put32(directory, e.crc);
        put32(directory, quint32(e.size));
        put32(directory, quint32(e.size));
        put16(directory, quint16(e.name.size()));
        put16(directory, 0);       // extra
        put16(directory, 0);       // comment
        put16(directory, 0);       // disk
        put16(directory, 0);       // internal attributes
        put32(directory, 0);       // external attributes
        put32(directory, quint32(e.offset));
        directory.append(e.name);
    }
    if (start + quint64(directory.size()) > zipLimit || entries_.size() > 0xFFFF)
        return ok_ = false;
    QByteArray end;
    put32(end, 0x06054b50);
    put16(end, 0);
    put16(end, 0);
    put16(end, quint16(entries_.size()));
    put16(end, quint16(entries_.size()));
    put32(end, quint32(directory.size()));
    put32(end, quint32(start));
    put16(end, 0);
    return put(directory) && put(end);
}
