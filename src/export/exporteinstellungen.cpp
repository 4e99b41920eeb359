#include "export/exporteinstellungen.h"

#include "store/einstellungen.h"
#include "store/registry.h"
#include "store/verzeichnisse.h"
#include "store/zahlen.h"

namespace {

QString lesen(const char* name, const QString& vorgabe)
{
    return EinstellungLesenVorgabe(kSektionExport, QLatin1String(name), vorgabe).trimmed();
}

QString schalter(bool an)
{
    return an ? QStringLiteral("1") : QStringLiteral("0");
}

}  // namespace

ExportEinstellungen ExportEinstellungen::laden(const QDate& heute)
{
    const Einstellungen& e = einstellungen();
    ExportEinstellungen w;
    w.von = QDate(heute.year(), 1, 1);
    w.bis = QDate(heute.year(), 12, 31);
    if (!e.DateV_Path.isEmpty() && VerzeichnisTest(e.DateV_Path))
        w.verzeichnis = e.DateV_Path;
    w.dfv = e.DateV_DFV;
    w.datenNr = e.DateV_Datennr;
    w.abrechNr = e.DateV_Abrechnr;
    w.beraterNr = e.DateV_Stnr;
    w.mandantNr = e.DateV_MandantNr;
    w.beraterName = e.DateV_Berater;
    w.filter = e.DateV_Filter;
    w.nurNeue = e.DateV_nurNeue;
    w.mitKonten = e.DateV_mitKonten;
    w.eigeneBeschriftung = e.ExportText_ON;
    w.vorlage = e.ExportText;

    w.nurNeue = lesen("NEUE_BUCHUNG", QStringLiteral("0")) == QLatin1String("0");
    w.mitKonten = lesen("KONTEN_EXP", QStringLiteral("0")) != QLatin1String("0");
    w.eigeneBeschriftung = lesen("KONTEN_BESCH", QStringLiteral("0")) != QLatin1String("0");
    w.vorlage = lesen("KONTEN_TEXT", QString());
    w.obe = lesen("DATEV_OBE", QStringLiteral("0")) != QLatin1String("0");
    if (e.Adresskontn != 5) {
        w.obe = false;
        w.obeMoeglich = false;
    }
    return w;
}

void ExportEinstellungen::speichern() const
{
    Einstellungen& e = einstellungen();
    e.DateV_Filter = filter;
    e.DateV_nurNeue = nurNeue;
    e.DateV_mitKonten = mitKonten;
    e.ExportText_ON = eigeneBeschriftung;
    e.ExportText = vorlage;
    EinstellungSchreiben(kSektionExport, QStringLiteral("NEUE_BUCHUNG"), nurNeue ? QStringLiteral("0") : QStringLiteral("1"));
    EinstellungSchreiben(kSektionExport, QStringLiteral("KONTEN_EXP"), schalter(mitKonten));
    EinstellungSchreiben(kSektionExport, QStringLiteral("KONTEN_BESCH"), schalter(eigeneBeschriftung));
    EinstellungSchreiben(kSektionExport, QStringLiteral("DATEV_OBE"), schalter(obe));
    EinstellungSchreiben(kSektionExport, QStringLiteral("KONTEN_TEXT"), vorlage);
}

void ExportEinstellungen::texteUebernehmen() const
{
    Einstellungen& e = einstellungen();
    e.DateV_Path = verzeichnis;
    e.DateV_DFV = dfv;
    e.DateV_Datennr = datenNr;
    e.DateV_Abrechnr = abrechNr;
    e.DateV_Stnr = beraterNr;
    e.DateV_MandantNr = mandantNr;
    e.DateV_Berater = beraterName;
}

ExportOptionen ExportEinstellungen::inOptionen() const
{
    const Einstellungen& e = einstellungen();
    ExportOptionen o;
    o.von = von;
    o.bis = bis;
    o.nurNeue = nurNeue;
    o.filter = filter;
    o.beraterNr = beraterNr;
    o.mandantNr = mandantNr;
    o.mitKonten = mitKonten;
    o.eigeneBeschriftung = eigeneBeschriftung;
    o.vorlage = vorlage;
    o.verzeichnis = verzeichnis;
    o.obe = obe;
    o.abrechNr = abrechNr;
    o.dfv = dfv;
    o.datenNr = datenNr;
    o.beraterName = beraterName;
    o.kostenstelle1 = e.DateV_Kostenstelle1;
    o.kostenstelle2 = e.DateV_Kostenstelle2;
    o.adresskontn = e.Adresskontn;
    o.aktivMandant = e.Aktiv_Mandant;
    return o;
}

QString naechsteAbrechnungsnummer(const QString& abrechNr)
{
    return QString::number(TextZuGanzzahl(abrechNr) + 1);
}
