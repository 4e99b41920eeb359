#pragma once
// Reading the fields of a merchandise-management or journal row the way the import needs them.
//
// Rows are QSqlRecords (field lookup ignores case). The servers deliver dates as date, date-time
// or text (SQLite), Booleans as numbers or texts; these helpers turn each into one form. A field
// the row does not have reads as empty (0, false, empty text, null date): callers that must tell
// "missing" from "empty" ask hatFeld() first, as the posting rules do for optional fields.

#include <QDateTime>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

namespace fibuimport {

bool hatFeld(const QSqlRecord& row, const QString& name);
QVariant feld(const QSqlRecord& row, const QString& name);
// Numbers through the one tolerant conversion for texts; null gives 0.
double feldZahl(const QSqlRecord& row, const QString& name);
int feldGanz(const QSqlRecord& row, const QString& name);
QString feldText(const QSqlRecord& row, const QString& name);
bool feldSchalter(const QSqlRecord& row, const QString& name);
QDateTime feldDatumZeit(const QSqlRecord& row, const QString& name);
QDate feldDatum(const QSqlRecord& row, const QString& name);

double alsZahl(const QVariant& value);
QDateTime alsDatumZeit(const QVariant& value);
// A field value as the booking-text template shows it: dates as dd.MM.yyyy, numbers with a
// decimal comma, Booleans as True/False.
QString alsAnzeigeText(const QVariant& value);

}  // namespace fibuimport
