#pragma once
// SQLite folds only ASCII letters in UPPER() and LIKE, so a search for "müller" would miss
// "Müller". registerUnicodeUpper replaces UPPER on an open SQLite connection (driver QSQLITE)
// by a Unicode-aware one; call it right after opening the local database. Returns false for
// other drivers or a closed connection (they keep their own UPPER).

class QSqlDatabase;

bool registerUnicodeUpper(QSqlDatabase& database);
