#pragma once
// The tables and fields of the merchandise-management database that this system reads and
// writes, defined once; the DDL for SQLite and MariaDB is generated from this definition.
//
// Call sequence (tests, demo tool, benchmark generator):
//   QSqlDatabase db = ...;                       // an open QSQLITE or QMYSQL connection
//   QString error;
//   if (!WawiSchema::create(db, {}, &error)) ... // all tables and indexes, empty
//   DemoDaten::fill(db, &error);                 // optional: realistic demo rows
//
// Table names are the products' names without ".DB" (the data-access layer strips it):
// Mandant, Auftrag, Auftrag_Art, Positionen, Artikel, Warengruppe, MWST, Adressen, Land, Zahlart,
// Zahlung, Kassenbuch, Monate. The first field of every table is its primary key (the index
// "DEFAULT"). Named indexes are created as "<table>_<index>" on SQLite (index names are global
// there) and as "<index>" on MariaDB. The index Fibu on Adressen is deliberately not created:
// the DATEV export adds it when it is missing.
// On MariaDB every table gets the column Qem_dummy (insert token of the data-access layer),
// placed before the memo columns, which come last.
// Dates are DATE columns (SQLite: ISO text yyyy-MM-dd as Qt binds a QDate); Booleans are
// BOOLEAN (SQLite, 0/1) or TINYINT (MariaDB).
// Options: withOptionalFields false leaves out the fields the system tests by name before use
// (Auftrag: USTDatum, VersandMwSt, Mindermengenzuschlag, Skonto, Minderung, ValutaDatum;
// Positionen: RabattG, Aufschlag, RabattEK; MWST: NEU_Datum, EGVerkauf, EGEinkauf;
// Kassenbuch: Faktor).

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

enum class WawiFeldTyp { AutoInc, Integer, SmallInt, Boolean, Float, Date, DateTime, String, Memo };

struct WawiFeld {
    QString name;
    WawiFeldTyp typ = WawiFeldTyp::Integer;
    int size = 0;          // characters of a String field
    bool optional = false;  // left out by withOptionalFields = false
};

struct WawiIndex {
    QString name;        // as the system names it: "was", "Ix_Auftrag", ...
    QStringList felder;  // in key order
};

struct WawiTabelle {
    QString name;  // without ".DB"
    QList<WawiFeld> felder;
    QList<WawiIndex> indexe;

    const WawiFeld* feld(const QString& feldName) const;
};

enum class WawiDialect { SQLite, MariaDB };

struct WawiSchemaOptions {
    bool withOptionalFields = true;
    // Names of the tables to create; empty means all.
    QStringList nurTabellen;
};

class WawiSchema {
public:
    static const QList<WawiTabelle>& tabellen();
    // By name, with or without ".DB", ignoring case; nullptr when unknown.
    static const WawiTabelle* tabelle(const QString& name);

    // The physical name of an index on the dialect ("Auftrag_was" on SQLite, "was" on MariaDB).
    static QString indexName(const WawiTabelle& tabelle, const WawiIndex& index, WawiDialect dialect);
    // CREATE TABLE followed by one CREATE INDEX per named index.
    static QStringList createStatements(const WawiTabelle& tabelle, WawiDialect dialect,
                                        const WawiSchemaOptions& options = {});
    // The fields a table has under the options, in column order of the definition.
    static QList<WawiFeld> felder(const WawiTabelle& tabelle, const WawiSchemaOptions& options);

    // QMYSQL/QMARIADB gives MariaDB, anything else SQLite.
    static WawiDialect dialectOf(const QSqlDatabase& db);

    // Drops existing tables of the same names, then creates every table and index.
    // False with the failing statement and the server's message in *error.
    static bool create(QSqlDatabase& db, const WawiSchemaOptions& options = {},
                       QString* error = nullptr);

    // The stored connection string of a SQLite demo database: "Provider=SQLite;Data Source=" + path.
    static QString sqliteConnectionString(const QString& absolutePath);
};
