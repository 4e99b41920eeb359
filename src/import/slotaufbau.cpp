#include "import/slotaufbau.h"

#include "import/feldwerte.h"
#include "import/steuerregeln.h"
#include "store/hilfsfunktionen.h"

#include <stdexcept>

namespace fibuimport {

namespace {

const QString kArtikelId = QStringLiteral("Artikel");

bool istErloese(const ImportKontext& k)
{
    return k.modus == ImportModus::Erloese;
}

// The VAT-code row of a code, replaced by the SONDERUST row when that is at least 1.
const QSqlRecord* steuerZeile(const Stammdaten& stamm, int umsatzsteuer, int sonderUst)
{
    const QSqlRecord* zeile = stamm.mwst.zeileVonCode(umsatzsteuer);
    if (zeile && sonderUst >= 1) {
        if (const QSqlRecord* sonder = stamm.mwst.zeileVonCode(sonderUst))
            zeile = sonder;
    }
    return zeile;
}

int gruppenKonto(const Stammdaten& stamm, const QSqlRecord& artikel, const QString& spalte)
{
    const QSqlRecord* gruppe = stamm.warengruppeVon(feld(artikel, QStringLiteral("Warengruppe")));
    return gruppe ? feldGanz(*gruppe, spalte) : 0;
}

int artikelOderGruppe(const Stammdaten& stamm, const QSqlRecord& artikel, const QString& artikelSpalte,
                      const QString& gruppenSpalte)
{
    const int konto = feldGanz(artikel, artikelSpalte);
    return konto >= 1 ? konto : gruppenKonto(stamm, artikel, gruppenSpalte);
}

// Translation for an active country, else the drop of a SONDERUST position.
int uebersetzenOderVerwerfen(int konto, const QString& land, int sonderUst, const Stammdaten& stamm)
{
    if (konto >= 1 && !land.isEmpty())
        return stamm.uebersetzt(konto, land);
    if (sonderUst >= 1)
        return 0;
    return konto;
}

int erloesKonto(const Stammdaten& stamm, const QSqlRecord& artikel, const QSqlRecord* zeile, int steuer,
                const QString& land, int sonderUst, const QDate& d)
{
    int konto = 0;
    switch (steuer) {
    case 0:
    case 1:
    case 2:
        konto = artikelOderGruppe(stamm, artikel, QStringLiteral("Verkaufskonto"), QStringLiteral("Konto2"));
        break;
    case 3:
        konto = artikelOderGruppe(stamm, artikel, QStringLiteral("EGFibuKonto"), QStringLiteral("Konto4"));
        break;
    case 4:
        konto = artikelOderGruppe(stamm, artikel, QStringLiteral("Verkaufsonderkonto"),
                                  QStringLiteral("Konto3"));
        break;
    case 5: {
        if (!zeile)
            return 0;
        const int bau = uebersetzenOderVerwerfen(feldGanz(*zeile, QStringLiteral("N_Bau")), land,
                                                 sonderUst, stamm);
        return datiertesKonto(*zeile, bau, bau, QStringLiteral("NEU_BAUKONTO"), d);
    }
    default:
        return 0;
    }
    konto = uebersetzenOderVerwerfen(konto, land, sonderUst, stamm);
    if (konto < 1 && zeile)
        konto = datiertesKonto(*zeile, ImportModus::Erloese, steuer, d);
    return konto;
}

int aufwandsKonto(const Stammdaten& stamm, const QSqlRecord& artikel, int steuer, const QString& land,
                  int sonderUst, const QDate& d)
{
    int konto = steuer < 3 ? artikelOderGruppe(stamm, artikel, QStringLiteral("Einkaufskonto"),
                                               QStringLiteral("Konto1"))
                           : 0;
    konto = uebersetzenOderVerwerfen(konto, land, sonderUst, stamm);
    if (konto < 1 && stamm.mwst.hatFeld(QStringLiteral("EGEinkauf"))) {
        const int ust = feldGanz(artikel, QStringLiteral("Umsatzsteuer"));
        if (const QSqlRecord* zeile = steuerZeile(stamm, ust, sonderUst))
            konto = datiertesKonto(*zeile, ImportModus::Eingang, steuer, d);
    }
    return konto;
}

QString steuersatzFehlt(const QSqlRecord& artikel, const QSqlRecord& beleg)
{
    return QStringLiteral("Steuersatz nicht gefunden: (") + feldText(artikel, QStringLiteral("Umsatzsteuer"))
           + QStringLiteral(")") + QStringLiteral("\r") + QStringLiteral(" NR:")
           + feldText(artikel, QStringLiteral("Artikelnummer")) + QStringLiteral("\r")
           + QStringLiteral(" Be:") + feldText(artikel, QStringLiteral("Bezeichnung")) + QStringLiteral("\r")
           + QStringLiteral(" Art:") + feldText(artikel, QStringLiteral("Art")) + QStringLiteral("\r")
           + QStringLiteral(" Vorgangsnr:") + feldText(beleg, QStringLiteral("Vorgangsnummer"))
           + QStringLiteral(" vom ") + alsAnzeigeText(feldDatumZeit(beleg, QStringLiteral("Vorgangsdatum")));
}

// VAT codes index the VAT slots 0 to 9: a code outside cannot be booked and fails the document.
void codePruefen(int code, const QString& wovon)
{
    if (code < 0 || code >= BuchungsSlots::kVatSlots)
        throw std::out_of_range(QStringLiteral("Umsatzsteuerschlüssel %1 außerhalb von 0 bis 9 (%2)")
                                    .arg(code)
                                    .arg(wovon)
                                    .toStdString());
}

BuchungsSlot& slotFuer(BuchungsSlots& faecher, const Stammdaten& stamm, int konto, int vatCode)
{
    if (konto >= 1)
        return faecher.kontoSlot(konto);
    const int zeile = stamm.mwst.zeilenNummer(vatCode);
    if (vatCode >= 0 && vatCode < BuchungsSlots::kVatSlots && zeile < 1)
        throw std::runtime_error(
            QStringLiteral("Steuersatz nicht gefunden: (%1), kein Konto für den Betrag").arg(vatCode)
                .toStdString());
    return faecher.vatSlot(vatCode, zeile);
}

void positionBuchen(BuchungsSlots& faecher, const ImportKontext& kontext, const Stammdaten& stamm,
                    const QSqlRecord& beleg, const QSqlRecord& position, const QString& land,
                    const QDate& d, QStringList& meldungen)
{
    const QVariant id = feld(position, kArtikelId);
    const QSqlRecord* gefunden = stamm.artikelVon(id);
    const QSqlRecord artikel = gefunden ? *gefunden : QSqlRecord();
    const int steuer = feldGanz(beleg, QStringLiteral("Steuer"));
    const int sonderUst = feldGanz(position, QStringLiteral("SONDERUST"));
    const int ust = feldGanz(artikel, QStringLiteral("Umsatzsteuer"));
    if (gefunden)
        codePruefen(ust, QStringLiteral("Artikel ") + feldText(artikel, QStringLiteral("Artikelnummer")));
    if (sonderUst >= 1)
        codePruefen(sonderUst, QStringLiteral("Sondersteuer der Position"));
    const QSqlRecord* zeile = steuerZeile(stamm, ust, sonderUst);

    int konto = 0;
    if (istErloese(kontext)) {
        if (!gefunden)
            meldungen << QStringLiteral("Artikel nicht gefunden: ID:") + alsAnzeigeText(id);
        if (!stamm.mwst.zeileVonCode(ust))
            meldungen << steuersatzFehlt(artikel, beleg);
        konto = erloesKonto(stamm, artikel, zeile, steuer, land, sonderUst, d);
    } else {
        konto = aufwandsKonto(stamm, artikel, steuer, land, sonderUst, d);
    }

    BuchungsSlot& slot = slotFuer(faecher, stamm, konto, ust);
    const QDate vorgang = feldDatum(beleg, QStringLiteral("Vorgangsdatum"));
    const double satz = zeile ? satzNachDatum(*zeile, d, vorgang) : 0.0;
    const double betrag = zeilenBetrag(position, mengenFaktor(position, kontext), kontext.komma1);
    const SteuerAnteil anteil = steuerAnteil(steuer, betrag, 1.0 + satz);
    slot.mwstProzent = satz * 100.0;
    slot.brutto += anteil.brutto;
    slot.mwst += anteil.mwst;
}

double nebenkosten(const QSqlRecord& beleg)
{
    double s = feldZahl(beleg, QStringLiteral("Porto")) + feldZahl(beleg, QStringLiteral("Eilzuschlag"))
               + feldZahl(beleg, QStringLiteral("Verpackung")) + feldZahl(beleg, QStringLiteral("Versicherung"));
    if (hatFeld(beleg, QStringLiteral("Mindermengenzuschlag")))
        s += feldZahl(beleg, QStringLiteral("Mindermengenzuschlag"));
    return s;
}

void nebenkostenBuchen(BuchungsSlots& faecher, const ImportKontext& kontext, const Stammdaten& stamm,
                       const QSqlRecord& beleg, const QDate& d)
{
    int code = kontext.versandMwSt;
    if (hatFeld(beleg, QStringLiteral("VersandMwSt")) && feldGanz(beleg, QStringLiteral("VersandMwSt")) >= 1)
        code = feldGanz(beleg, QStringLiteral("VersandMwSt"));
    codePruefen(kontext.versandMwSt, QStringLiteral("Versand_MWST"));
    codePruefen(code, QStringLiteral("Versandkosten"));
    const int zeilenNr = stamm.mwst.zeilenNummer(code);
    const double s = nebenkosten(beleg);
    if (zeilenNr < 1) {
        if (s == 0.0)
            return;
        throw std::runtime_error(
            QStringLiteral("Steuersatz für Versandkosten nicht gefunden: (%1)").arg(code).toStdString());
    }
    const QSqlRecord& zeile = stamm.mwst.zeile(zeilenNr);
    const int steuer = feldGanz(beleg, QStringLiteral("Steuer"));
    const double satz = satzNachDatum(zeile, d, feldDatum(beleg, QStringLiteral("Vorgangsdatum")));
    const SteuerAnteil anteil = steuerAnteil(steuer, s, 1.0 + satz);

    const QString pflichtFeld = istErloese(kontext) ? QStringLiteral("EGVerkauf") : QStringLiteral("EGEinkauf");
    const int konto = stamm.mwst.hatFeld(pflichtFeld) ? datiertesKonto(zeile, kontext.modus, steuer, d) : 0;
    BuchungsSlot& slot = konto >= 1 ? faecher.kontoSlot(konto) : faecher.vatSlot(kontext.versandMwSt, zeilenNr);
    slot.mwstProzent = satz * 100.0;
    slot.brutto += anteil.brutto;
    slot.mwst += anteil.mwst;
}

}  // namespace

bool positionWirdGebucht(int art)
{
    switch (art) {
    case 0:
    case 2:
    case 6:
    case 11:
    case 12:
    case 15:
        return true;
    default:
        return false;
    }
}

double mengenFaktor(const QSqlRecord& position, const ImportKontext& kontext)
{
    double m = 1.0;
    for (int i = 0; i < 3; ++i) {
        const QString text = feldText(position, QStringLiteral("Frei%1").arg(i + 1)).trimmed();
        if (kontext.freiMulti[i] && !text.isEmpty())
            m *= TextZuZahl(text) * kontext.freiUmrech[i];
    }
    return m;
}

double zeilenBetrag(const QSqlRecord& position, double m, int stellen)
{
    const double p = feldZahl(position, QStringLiteral("Preis"));
    double a = feldZahl(position, QStringLiteral("Anzahl"));
    const int art = feldGanz(position, QStringLiteral("Art"));
    if (art == 6 || art == 11)
        a = -a;
    double pe = feldZahl(position, QStringLiteral("Preiseinheit"));
    if (static_cast<long long>(pe) == 0)
        pe = 1.0;
    const double auf = feldZahl(position, QStringLiteral("Aufschlag")) / 100.0;
    auto prozent = [&](const char* name) { return feldZahl(position, QLatin1String(name)) / 100.0; };

    if (hatFeld(position, QStringLiteral("RabattEK"))) {
        return Runden(stellen, (1 - prozent("RabattG")) * (1 - prozent("Rabatt3")) * (1 - prozent("Rabatt2"))
                                   * (1 - prozent("Rabatt")) * p * a * m / pe * (1 + auf));
    }
    double r = prozent("Rabatt");
    if (hatFeld(position, QStringLiteral("RabattG")))
        r += prozent("Rabatt2") + prozent("Rabatt3") + prozent("RabattG");
    return Runden(stellen, p * a * m / pe * (1 - r) * (1 + auf));
}

SteuerAnteil steuerAnteil(int steuer, double betrag, double f)
{
    switch (steuer) {
    case 0:
    case 1:
        return {betrag, f == 0.0 ? 0.0 : betrag - betrag / f};
    case 2: {
        const double mwst = betrag * f - betrag;
        return {betrag + mwst, mwst};
    }
    default:
        return {betrag, 0.0};
    }
}

QString aktivesLand(const QSqlRecord& beleg, const QSqlRecord& adresse, const Stammdaten& stamm)
{
    QString land = feldText(adresse, QStringLiteral("Land"));
    const QString belegLand = feldText(beleg, QStringLiteral("L_Land"));
    if (!belegLand.trimmed().isEmpty())
        land = belegLand;
    if (land.isEmpty())
        return {};
    auto it = stamm.landAktiv.constFind(land);
    return it != stamm.landAktiv.constEnd() && it.value() ? land : QString();
}

int GetAuftragVerkauf(BuchungsSlots& faecher, const ImportKontext& kontext, const Stammdaten& stamm,
                      const QSqlRecord& beleg, const QSqlRecord& adresse,
                      const QVector<QSqlRecord>& positionen, QStringList& meldungen)
{
    faecher.leeren();
    const QDate d = steuerDatum(beleg);
    const QString land = aktivesLand(beleg, adresse, stamm);

    for (const QSqlRecord& position : positionen) {
        if (positionWirdGebucht(feldGanz(position, QStringLiteral("Art"))))
            positionBuchen(faecher, kontext, stamm, beleg, position, land, d, meldungen);
    }
    const double gRabatt = feldZahl(beleg, QStringLiteral("GRabatt"));
    if (Runden(2, gRabatt) != 0.0)
        faecher.mitFaktor(1.0 - gRabatt / 100.0);
    nebenkostenBuchen(faecher, kontext, stamm, beleg, d);

    const int n = faecher.verdichten();
    faecher.rundenUndAbgleichen(kontext.komma1, feldZahl(beleg, QStringLiteral("Betrag")));
    return n;
}

}  // namespace fibuimport
