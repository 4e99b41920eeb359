#include "import/importoptionen.h"

#include "store/hilfsfunktionen.h"
#include "store/registry.h"

namespace fibuimport {

namespace {

QString schalterText(bool wert)
{
    return wert ? QStringLiteral("1") : QStringLiteral("0");
}

}  // namespace

QString ImportOptionen::abschnitt(ImportModus modus)
{
    return QStringLiteral("TVK_Import") + QString::number(faktImport(modus));
}

ImportOptionen ImportOptionen::laden(ImportModus modus)
{
    const QString s = abschnitt(modus);
    auto lese = [&](const char* name, const QString& vorgabe) {
        return EinstellungLesenVorgabe(s, QLatin1String(name), vorgabe).trimmed();
    };
    ImportOptionen o;
    o.gesamtJahr = lese("GESAMTJAHR", o.gesamtJahr);
    o.personenkonten = lese("PERSONENKONTEN", o.personenkonten);
    o.debKonto = lese("DEB_KONTO", o.debKonto);
    o.kreKonto = lese("KRE_KONTO", o.kreKonto);
    o.kontennummern = lese("KONTENNUMMERN", o.kontennummern);
    o.offset = TextZuGanzzahl(lese("OFFSET", QStringLiteral("0")));
    o.forderungen = lese("FODERUNGEN", QStringLiteral("1")) == QLatin1String("1");
    o.bezahlungen = lese("BEZAHLUNGEN", QStringLiteral("1")) == QLatin1String("1");
    o.nurKonto = lese("NUR_KONTO", QStringLiteral("0")) == QLatin1String("1");
    o.bezKonto = EinstellungLesen(s, QStringLiteral("BEZ_KONTO")).trimmed();
    o.vorBelgnr = lese("VOR_BELGNR", o.vorBelgnr);
    return o;
}

void ImportOptionen::speichern(ImportModus modus) const
{
    const QString s = abschnitt(modus);
    EinstellungSchreiben(s, QStringLiteral("GESAMTJAHR"), gesamtJahr);
    EinstellungSchreiben(s, QStringLiteral("PERSONENKONTEN"), personenkonten);
    EinstellungSchreiben(s, QStringLiteral("DEB_KONTO"), debKonto);
    EinstellungSchreiben(s, QStringLiteral("KRE_KONTO"), kreKonto);
    EinstellungSchreiben(s, QStringLiteral("KONTENNUMMERN"), kontennummern);
    EinstellungSchreiben(s, QStringLiteral("OFFSET"), QString::number(offset));
    EinstellungSchreiben(s, QStringLiteral("FODERUNGEN"), schalterText(forderungen));
    EinstellungSchreiben(s, QStringLiteral("BEZAHLUNGEN"), schalterText(bezahlungen));
    EinstellungSchreiben(s, QStringLiteral("NUR_KONTO"), schalterText(nurKonto));
    EinstellungSchreiben(s, QStringLiteral("BEZ_KONTO"), bezKonto);
    EinstellungSchreiben(s, QStringLiteral("VOR_BELGNR"), vorBelgnr);
}

PersonenkontoOptionen ImportOptionen::personenkontoOptionen(int laenge) const
{
    PersonenkontoOptionen p;
    p.sammelkonten = personenkonten == QLatin1String("1");
    p.debKonto = debKonto;
    p.kreKonto = kreKonto;
    if (kontennummern == QLatin1String("1"))
        p.nummern = KontenNummern::Automatisch;
    else if (kontennummern == QLatin1String("2"))
        p.nummern = KontenNummern::MitOffset;
    p.offset = offset;
    p.laenge = laenge;
    return p;
}

}  // namespace fibuimport
