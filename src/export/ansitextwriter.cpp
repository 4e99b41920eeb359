#include "export/ansitextwriter.h"

#include "export/exporterror.h"
#include "store/zeichensatz.h"

#include <QIODevice>

namespace {

constexpr qsizetype kFlushSize = 256 * 1024;

// Plain ASCII goes straight into the buffer; only the few other characters take the
// code-page table (one byte per character either way).
void appendAnsi(QByteArray& out, const QString& text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char* ziel = out.data() + start;
    const QChar* quelle = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = quelle[i].unicode();
        ziel[i] = u < 0x80 ? static_cast<char>(u) : ZuAnsi(QString(quelle[i])).at(0);
    }
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
