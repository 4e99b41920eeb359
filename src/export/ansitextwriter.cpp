#include "export/ansitextwriter.h"

#include "export/exporterror.h"
#include "store/zeichensatz.h"

#include <QIODevice>

namespace {

constexpr qsizetype kFlushSize = 256 * 1024;

void appendAnsi(QByteArray& out, const QString& text)
{
    out.append(ZuAnsi(text));
}

}  // namespace

AnsiTextWriter::AnsiTextWriter(QIODevice& device) : device_(device)
{
    buffer_.reserve(kFlushSize + 4096);
}

void AnsiTextWriter::write(const QString& text)
{
    appendAnsi(buffer_, text);
    if (buffer_.size() >= kFlushSize)
        flush();
}

void AnsiTextWriter::writeLine(const QString& line)
{
    appendAnsi(buffer_, line);
    buffer_.append("\r\n", 2);
    if (buffer_.size() >= kFlushSize)
        flush();
}

void AnsiTextWriter::flush()
{
    qsizetype done = 0;
    while (done < buffer_.size()) {
        const qint64 n = device_.write(buffer_.constData() + done, buffer_.size() - done);
        if (n <= 0) {
            accepted_ += done;
            buffer_.remove(0, done);
            const QString reason = device_.errorString();
            throw ExportError(reason.isEmpty()
                                  ? QStringLiteral("Die Datei konnte nicht geschrieben werden.")
                                  : reason);
        }
        done += n;
    }
    accepted_ += done;
    buffer_.clear();
}
