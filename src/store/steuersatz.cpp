#include "store/steuersatz.h"

FeldLeser FeldLeserAus(const QSqlRecord& row)
{
    return [row](const QString& feld) { return row.contains(feld) ? row.value(feld) : QVariant(); };
}

double SteuersatzNachDatum(const FeldLeser&, const QDate&) { return 0; }
double SteuersatzNachDatum(const QSqlRecord& row, const QDate& datum) { return SteuersatzNachDatum(FeldLeserAus(row), datum); }
int SteuerkontoNachDatum(const FeldLeser&, const QDate&) { return 0; }
int SteuerkontoNachDatum(const QSqlRecord& row, const QDate& datum) { return SteuerkontoNachDatum(FeldLeserAus(row), datum); }
