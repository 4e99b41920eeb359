#pragma once
// Rate and VAT account of one row of the merchandise-management VAT table (MWST.DB) on a date.
//
// The row is read through a field reader: it returns the field's value by name (a field that
// is present but empty as a null QVariant of its type), or an invalid QVariant when the row has
// no such field. The dataaccess layer passes its current
// row as a QSqlRecord (field names without regard to case) or as its own reader.
// Dates: an invalid QDate, or a null field, counts as "not set".

#include <QDate>
#include <QSqlRecord>
#include <QVariant>
#include <functional>

using FeldLeser = std::function<QVariant(const QString& feld)>;

FeldLeser FeldLeserAus(const QSqlRecord& row);

// The rate valid on `datum`, as a fraction (19 % gives 0.19).
double SteuersatzNachDatum(const FeldLeser& row, const QDate& datum);
double SteuersatzNachDatum(const QSqlRecord& row, const QDate& datum);
// NSteuerkonto when the row's Datum is not later than `datum`, else Steuerkonto.
int SteuerkontoNachDatum(const FeldLeser& row, const QDate& datum);
int SteuerkontoNachDatum(const QSqlRecord& row, const QDate& datum);
