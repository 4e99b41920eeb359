#include "grid/gridcolumns.h"

GridColumns GridColumns::journal()
{
    return GridColumns({
        {QStringLiteral("Buchungsnummer"), QStringLiteral("Nr"), 70},
        {QStringLiteral("Datum"), QStringLiteral("Datum"), 80},
        {QStringLiteral("Soll"), QStringLiteral("Soll"), 70},
        {QStringLiteral("Haben"), QStringLiteral("Haben"), 70},
        {QStringLiteral("Buchungstext"), QStringLiteral("Buchungstext"), 260},
        {QStringLiteral("Brutto"), QStringLiteral("Brutto"), 90},
        {QStringLiteral("Netto"), QStringLiteral("Netto"), 90},
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
