#include "grid/unicodeupper.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QString>
#include <QVariant>

#include <sqlite3.h>

namespace {

void unicodeUpper(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int length = sqlite3_value_bytes(argv[0]);
    bool ascii = true;
    for (int i = 0; i < length && ascii; ++i)
        ascii = static_cast<unsigned char>(text[i]) < 0x80;
    if (ascii) {
        // Most booking texts are plain ASCII: fold them without building a QString.
        char* upper = static_cast<char*>(sqlite3_malloc(length + 1));
        if (!upper) {
            sqlite3_result_error_nomem(context);
            return;
        }
        for (int i = 0; i < length; ++i) {
            const char c = text[i];
            upper[i] = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
        }
        upper[length] = '\0';
        sqlite3_result_text(context, upper, length, sqlite3_free);
        return;
    }
    const QByteArray upper = QString::fromUtf8(text, length).toUpper().toUtf8();
    sqlite3_result_text(context, upper.constData(), int(upper.size()), SQLITE_TRANSIENT);
}

}  // namespace

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
