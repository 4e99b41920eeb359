#pragma once
// The real structure of an SQLite table, read from the database itself (PRAGMA table_info,
// index_list, index_xinfo, sqlite_master), compared with another and turned back into DDL.
// The structure check compares a template with a local table through it and builds the new
// table from the template's definition.
//
// Fields are equal when name (case included), declared type with its size ("VARCHAR(60)"),
// primary-key position and autoincrement agree; the required flag and defaults are not
// compared. Indexes are compared by field list and options, not by name.

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

struct FeldDefinition {
    QString name;
    QString typ;          // declared type, upper case, blanks collapsed
    bool pflicht = false; // NOT NULL
    QString vorgabe;      // DEFAULT expression as written, empty when none
    int schluessel = 0;   // position in the primary key, 0 when not part of it
    bool autoinkrement = false;
};

struct IndexDefinition {
    QString name;
    QStringList felder;
    QList<bool> absteigend;
    QStringList sortierfolgen;
    bool eindeutig = false;
    QString herkunft;     // "c" CREATE INDEX, "u" UNIQUE constraint, "pk" primary key
    QString bedingung;    // WHERE of a partial index
    QString sql;          // as stored, for indexes over expressions
};

struct TabellenDefinition {
    QString name;
    QList<FeldDefinition> felder;
    QList<IndexDefinition> indizes;
    bool ohneRowid = false;

    const FeldDefinition* autoinkrementFeld() const;
    int feldIndex(const QString& name) const; // without regard to case; -1 when absent
};

// nullopt, with the reason in *fehler, when the table does not exist or cannot be read.
std::optional<TabellenDefinition> DefinitionLesen(const QSqlDatabase& db, const QString& tabelle,
                                                  QString* fehler = nullptr);
bool StrukturGleich(const TabellenDefinition& a, const TabellenDefinition& b);

QString SqlName(const QString& name);  // "name" quoted as SQL identifier
// CREATE TABLE statement for a table of that definition named `ziel`.
QString CreateTableSql(const TabellenDefinition& def, const QString& ziel);
// CREATE INDEX statements of the secondary indexes for the table `ziel`. Index names are the
// template's when `ziel` is the template's table name, else prefixed with ziel + "_".
QStringList CreateIndexSql(const TabellenDefinition& def, const QString& ziel);

// SQLite type affinity of a declared type: "INTEGER", "TEXT", "BLOB", "REAL" or "NUMERIC".
QString Affinitaet(const QString& typ);

// The statements of an SQL text file (split at ";" outside quotes and comments).
QStringList SqlAnweisungen(const QString& text);
