#pragma once
// Writes text lines in the Windows code page 1252 with CR LF line ends to a device.
//
// Lines are collected in a buffer and handed to the device by flush() (also when the buffer
// grows past a few kilobytes). bytesQueued() is the end offset of the last line given,
// bytesAccepted() what the device really took: a run that marks records per line compares its
// line ends with bytesAccepted(), so nothing counts as written that is not in the file.
// A device that refuses bytes makes flush() throw ExportError; bytesAccepted() then tells how
// far the device got.
// Characters missing in the code page follow ZuAnsi (base letter, else "?").
// The device is not owned; it must be open for writing.

#include <QByteArray>
#include <QString>

class QIODevice;

class AnsiTextWriter {
public:
    explicit AnsiTextWriter(QIODevice& device);

    // Appends line + CR LF. May flush (and throw) when the buffer is full.
    void writeLine(const QString& line);
    // Text without a line end (the ASCII export builds its lines field by field).
    void write(const QString& text);
    void flush();

    qint64 bytesQueued() const { return accepted_ + buffer_.size(); }
    qint64 bytesAccepted() const { return accepted_; }

private:
    QIODevice& device_;
    QByteArray buffer_;
    qint64 accepted_ = 0;
};
