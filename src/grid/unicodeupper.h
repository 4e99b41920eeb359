#pragma once
// SQLite folds only ASCII letters in UPPER() and LIKE, so a search for "müller" would miss
// "Müller". registerUnicodeUpper replaces UPPER on an open SQLite connection (driver QSQLITE)
// by a Unicode-aware one; call it right after opening the local database. Returns false for
// other drivers or a closed connection (they keep their own UPPER).
//
// The folding is per character (QChar::toUpper), the same as GrossMitUmlaut folds the search
// text, so "ß" stays "ß" on both sides and "Straße" finds "Straße". ASCII and Latin-1 texts
// are folded on the UTF-8 bytes without building a QString: the search runs UPPER over every
// booking text of the journal.

#include <QString>

class QSqlDatabase;

bool registerUnicodeUpper(QSqlDatabase& database);

// The folding UPPER applies, for tests.
QString unicodeUpperText(const QString& text);
