#pragma once
// The local database "DateV": the journal Buchungen, the VAT account table MWSTEIN and the
// account translation KoTrans, as SQLite tables in one file DateVDaten/DateV.sqlite.
//
// Open it after the structure check: LokaleDatenbankOeffnen(); then use the Qt connection
// named "DateV" (LokaleDatenbank()) with plain SQL: "SELECT * FROM Buchungen WHERE ...".
// Table and field names match without regard to case (SQLite identifiers); the Paradox file
// names with ".DB" ("MWSTEIN.DB", "KoTrans.db") reach their table through LokalerTabellenname
// or, inside statement text, LokalesSql.
//
// Storage form: BuchNr is INTEGER PRIMARY KEY AUTOINCREMENT (never reused, also after the last
// row was deleted); after an INSERT, QSqlQuery::lastInsertId() gives the new BuchNr. Dates are
// stored as "yyyy-MM-dd" text (bind a QDate, not a QDateTime, so BETWEEN '2024-01-01' AND ...
// compares right); Booleans as 0 and 1; amounts as REAL.

#include <QSqlDatabase>
#include <QString>

inline const QString DateVVerbindung = QStringLiteral("DateV");
inline const QString DateVDateiname = QStringLiteral("DateV.sqlite");
inline const QString TabelleBuchungen = QStringLiteral("Buchungen");
inline const QString TabelleMwStEin = QStringLiteral("MWSTEIN");
inline const QString TabelleKoTrans = QStringLiteral("KoTrans");

// The database file of a data directory (default: einstellungen().DatenPfad).
QString LokaleDatenbankDatei(const QString& datenPfad = QString());
// Opens (or re-opens) the connection "DateV"; false with the driver's text in *fehler.
bool LokaleDatenbankOeffnen(QString* fehler = nullptr);
void LokaleDatenbankSchliessen();
// The connection "DateV" (not opened by this call).
QSqlDatabase LokaleDatenbank();

// The stored name of a table in any spelling ("BUCHUNGEN", "MwStEin.DB", "kotrans.db"):
// ".DB" removed, the case of the stored table. A name the database does not hold comes
// back without its ".DB".
QString LokalerTabellenname(const QString& name, const QSqlDatabase& db = LokaleDatenbank());
// Statement text with every "Name.DB" table reference of a stored table replaced by its
// stored name ("SELECT * FROM MWSTEIN.DB" -> "SELECT * FROM MWSTEIN").
QString LokalesSql(const QString& sql, const QSqlDatabase& db = LokaleDatenbank());

// Next free voucher number: MAX(feld) of Buchungen plus 1 (1 for an empty journal).
// feld must be a plain field name; anything else counts as an empty journal.
int NaechsteNummer(const QString& feld, const QSqlDatabase& db = LokaleDatenbank());
