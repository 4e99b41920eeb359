#include "import/steuerregeln.h"

#include "import/feldwerte.h"

namespace fibuimport {

namespace {
const QDate kTag1(1899, 12, 31);
const QDate kTag0(1899, 12, 30);
}

bool datumGesetzt(const QDate& d)
{
    return d.isValid() && d > kTag1;
}

double satzNachDatum(const QSqlRecord& zeile, const QDate& t, const QDate& v)
{
    const QDate d = datumGesetzt(t) ? t : v;
    const QDate ab = feldDatum(zeile, QStringLiteral("Datum"));
    double satz = 0.0;
    if (d.isValid() && d > kTag0 && ab.isValid() && ab > d) {
        satz = feldZahl(zeile, QStringLiteral("MwST"));
    } else if (!hatFeld(zeile, QStringLiteral("NEU_Datum"))) {
        satz = feldZahl(zeile, QStringLiteral("NMwST"));
    } else {
        const QDate neuAb = feldDatum(zeile, QStringLiteral("NEU_Datum"));
        if (neuAb.isValid() && neuAb > d)
            satz = feldZahl(zeile, QStringLiteral("NMwST"));
        else if (!feldText(zeile, QStringLiteral("NEU_Datum")).trimmed().isEmpty())
            satz = feldZahl(zeile, QStringLiteral("NEU_MWST"));
        else
            satz = feldZahl(zeile, QStringLiteral("NMwST"));
    }
    if (satz < 0.001)
        satz = feldZahl(zeile, QStringLiteral("NEU_MWST"));
    return satz / 100.0;
}

KontoSpalten kontoSpalten(ImportModus modus, int steuer)
{
    const bool erloese = modus == ImportModus::Erloese;
    switch (steuer) {
    case 0:
    case 1:
    case 2:
        return erloese ? KontoSpalten{"EL_Konto", "NEL_Konto", "NEU_EL_Konto"}
                       : KontoSpalten{"Kostenkonto", "NKostenkonto", "NEU_Kostenkonto"};
    case 3:
        return erloese ? KontoSpalten{"EGVerkauf", "NEGVerkauf", "NEU_EG_Verkauf"}
                       : KontoSpalten{"EGEinkauf", "NEGEinkauf", "NEU_EGEinkauf"};
    case 4:
        return erloese ? KontoSpalten{"Not_EGVerkauf", "NNot_EGVerkauf", "NEU_NOTEGVerkauf"}
                       : KontoSpalten{"Not_EGEinkauf", "NNot_EGEinkauf", "NEU_NOTEGEinkauf"};
    case 5:
        return KontoSpalten{"N_Bau", "N_Bau", "NEU_BAUKONTO"};
    default:
        return {};
    }
}

int datiertesKonto(const QSqlRecord& zeile, int altWert, int aktuellWert, const QString& neuSpalte,
                   const QDate& d)
{
    const QDate ab = feldDatum(zeile, QStringLiteral("Datum"));
    if (ab.isValid() && d.isValid() && ab > d)
        return altWert;
    if (hatFeld(zeile, QStringLiteral("NEU_Datum"))) {
        const QDate neuAb = feldDatum(zeile, QStringLiteral("NEU_Datum"));
        const bool nichtDanach = !neuAb.isValid() || !(neuAb > d);
        const int neu = feldGanz(zeile, neuSpalte);
        if (nichtDanach && neu >= 1)
            return neu;
    }
    return aktuellWert;
}

int datiertesKonto(const QSqlRecord& zeile, ImportModus modus, int steuer, const QDate& d)
{
    const KontoSpalten s = kontoSpalten(modus, steuer);
    if (!s.gueltig())
        return 0;
    return datiertesKonto(zeile, feldGanz(zeile, s.alt), feldGanz(zeile, s.aktuell), s.neu, d);
}

QDate steuerDatum(const QSqlRecord& beleg)
{
    if (hatFeld(beleg, QStringLiteral("USTDatum"))) {
        const QDate ust = feldDatum(beleg, QStringLiteral("USTDatum"));
        if (datumGesetzt(ust))
            return ust;
    }
    return feldDatum(beleg, QStringLiteral("Vorgangsdatum"));
}

}  // namespace fibuimport
