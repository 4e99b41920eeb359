#include "grid/gridcolumns.h"

GridColumns GridColumns::journal()
{
    return GridColumns({
        {QStringLiteral("Buchungsnummer"), QStringLiteral("Nr"), 70},
        {QStringLiteral("Datum"), QStringLiteral("Datum"), 80},
        {QStringLiteral("Soll"), QStringLiteral("Soll"), 60},
        {QStringLiteral("Haben"), QStringLiteral("Haben"), 60},
        {QStringLiteral("Buchungstext"), QStringLiteral("Buchungstext"), 240},
        {QStringLiteral("Brutto"), QStringLiteral("Brutto"), 85},
        {QStringLiteral("Netto"), QStringLiteral("Netto"), 85},
        {QStringLiteral("USTSollKonto"), QStringLiteral("USTSollKonto"), 90},
        {QStringLiteral("USTHabenKonto"), QStringLiteral("USTHabenKonto"), 95},
        {QStringLiteral("USTBetrag"), QStringLiteral("USTBetrag"), 80},
        {QStringLiteral("MWSTPro"), QStringLiteral("MWSTPro"), 70},
    });
}

int GridColumns::indexOf(const QString& fieldName) const
{
    for (int i = 0; i < columns_.size(); ++i) {
        if (columns_[i].fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}
