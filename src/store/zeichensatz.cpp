#include "store/zeichensatz.h"

QByteArray ZuOEM(const QString& text) { return text.toLatin1(); }
QByteArray ZuAnsi(const QString& text) { return text.toLatin1(); }
QString AnsiZuText(const QByteArray& bytes) { return QString::fromLatin1(bytes); }
QString OemZuText(const QByteArray& bytes) { return QString::fromLatin1(bytes); }
QString Utf8OderAnsiZuText(const QByteArray& bytes) { return QString::fromUtf8(bytes); }
