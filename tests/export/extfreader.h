#pragma once
// An EXTF reader for the tests, written apart from the writer: splits the file into lines at
// CR LF and each line into fields at ";" outside double quotes, so a test checks what a
// receiving program would read. raw() keeps a field as it stands in the file (with quotes);
// text() gives the value of a quoted field with "" read as one quote.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

namespace extfreader {

inline QStringList lines(const QByteArray& file)
{
    QStringDecoder decode("windows-1252");
    const QString text = decode(file);
    QStringList out = text.split(QStringLiteral("\r\n"));
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

// Fields as they stand in the file; a quote opens and closes a quoted part.
inline QStringList fields(const QString& line)
{
    QStringList out;
    QString current;
    bool inQuotes = false;
    for (const QChar c : line) {
        if (c == QLatin1Char('"'))
            inQuotes = !inQuotes;
        if (c == QLatin1Char(';') && !inQuotes) {
            out << current;
            current.clear();
        } else {
            current += c;
        }
    }
    out << current;
    return out;
}

// True when the raw field is one properly quoted text.
inline bool balanced(const QString& raw)
{
    if (!raw.startsWith(QLatin1Char('"')))
        return !raw.contains(QLatin1Char('"'));
    if (raw.size() < 2 || !raw.endsWith(QLatin1Char('"')))
        return false;
    QString inner = raw.mid(1, raw.size() - 2);
    inner.remove(QStringLiteral("\"\""));
    return !inner.contains(QLatin1Char('"'));
}

inline QString text(const QString& raw)
{
    if (!raw.startsWith(QLatin1Char('"')))
        return raw;
    QString inner = raw.mid(1, raw.size() - 2);
    return inner.replace(QStringLiteral("\"\""), QStringLiteral("\""));
}

}  // namespace extfreader
