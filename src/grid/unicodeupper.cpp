#include "grid/unicodeupper.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QString>
#include <QVariant>

#include <sqlite3.h>

#include <algorithm>

namespace {

QString perCharacterUpper(QString text)
{
    for (QChar& c : text)
        c = c.toUpper();
    return text;
}

// Folds ASCII and the two-byte Latin-1 letters in place; false when the text holds a character
// whose upper case changes its length in UTF-8 (ÿ, µ) or lies outside Latin-1.
bool foldLatin1(const unsigned char* text, int length, char* upper)
{
    for (int i = 0; i < length; ++i) {
        const unsigned char c = text[i];
        if (c < 0x80) {
            upper[i] = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : char(c);
            continue;
        }
        if (i + 1 >= length || (c != 0xC2 && c != 0xC3))
            return false;
        const unsigned char next = text[i + 1];
        if ((next & 0xC0) != 0x80)
            return false;
        const int code = ((c & 0x1F) << 6) | (next & 0x3F);
        if (code == 0xB5 || code == 0xFF)
            return false;
        const bool lowerLetter = code >= 0xE0 && code <= 0xFE && code != 0xF7;
        upper[i] = char(c);
        upper[i + 1] = char(lowerLetter ? next - 0x20 : next);
        ++i;
    }
    return true;
}

void unicodeUpper(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const unsigned char* text = sqlite3_value_text(argv[0]);
    const int length = sqlite3_value_bytes(argv[0]);
    // One buffer for every row: SQLite copies a transient result into the register it reuses
    // from row to row, so folding a journal allocates nothing per booking.
    thread_local QByteArray buffer;
    if (buffer.size() < length)
        buffer.resize(std::max<qsizetype>(length, 256));
    if (foldLatin1(text, length, buffer.data())) {
        sqlite3_result_text(context, buffer.constData(), length, SQLITE_TRANSIENT);
        return;
    }
    const QByteArray folded =
        perCharacterUpper(QString::fromUtf8(reinterpret_cast<const char*>(text), length)).toUtf8();
    sqlite3_result_text(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

}  // namespace

QString unicodeUpperText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray upper(utf8.size(), Qt::Uninitialized);
    if (foldLatin1(reinterpret_cast<const unsigned char*>(utf8.constData()), int(utf8.size()), upper.data()))
        return QString::fromUtf8(upper);
    return perCharacterUpper(text);
}

bool registerUnicodeUpper(QSqlDatabase& database)
{
    if (!database.isOpen() || !database.driver())
        return false;
    const QVariant handle = database.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    sqlite3* db = *static_cast<sqlite3* const*>(handle.constData());
    if (!db)
        return false;
    return sqlite3_create_function_v2(db, "UPPER", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                      unicodeUpper, nullptr, nullptr, nullptr)
        == SQLITE_OK;
}
