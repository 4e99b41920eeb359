#pragma once
// Code pages of the export files: Windows 1252 ("ANSI") for the text formats, the OEM code
// page 850 of German Windows for the fixed-record formats. Built-in tables, no ICU needed.
// A character without a place in the code page is written as its base letter when it has
// one ("ā" -> "a"), else as "?".

#include <QByteArray>
#include <QString>

// The text in code page 850, one byte per character.
QByteArray ZuOEM(const QString& text);
// The text in code page 1252, one byte per character.
QByteArray ZuAnsi(const QString& text);
// Bytes of code page 1252 as text (0x81, 0x8D, 0x8F, 0x90, 0x9D map to the same code points).
QString AnsiZuText(const QByteArray& bytes);
// Bytes of code page 850 as text.
QString OemZuText(const QByteArray& bytes);
// UTF-8 when the bytes are valid UTF-8 (a leading byte-order mark is skipped), else 1252.
QString Utf8OderAnsiZuText(const QByteArray& bytes);
