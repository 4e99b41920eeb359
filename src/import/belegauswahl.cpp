#include "import/belegauswahl.h"

namespace fibuimport {

QString datumsLiteral(const QDate& datum, int serverType)
{
    // MySQL/MariaDB and SQLite (which keeps dates as ISO text and compares them as text) need
    // the ISO form; SQL Server and Jet take yyyymmdd.
    const bool iso = serverType == 2 || serverType == 3;
    return datum.toString(iso ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyyMMdd"));
}

QString belegBedingung(const BedingungsOptionen& o)
{
    const QString von = datumsLiteral(o.von, o.serverType);
    const QString bis = datumsLiteral(o.bis, o.serverType);
    QString bedingung;
    if (o.forderungen)
        bedingung = QStringLiteral("(Vorgangsdatum BETWEEN '") + von + QStringLiteral("'") + QStringLiteral(" AND ")
                    + QStringLiteral("'") + bis + QStringLiteral("'") + QStringLiteral(")");
    if (o.bezahlungen) {
        if (!bedingung.isEmpty())
            bedingung += QStringLiteral(" OR ");
        bedingung += QStringLiteral("(Buchdatum BETWEEN ") + QStringLiteral("'") + von + QStringLiteral("'")
                     + QStringLiteral(" AND ") + QStringLiteral("'") + bis + QStringLiteral("'") + QStringLiteral(")");
    }
    bedingung = QStringLiteral("(") + bedingung + QStringLiteral(")");
    if (o.ohnePosMod)
        bedingung += QStringLiteral(" AND (Art<>11)");
    else if (!o.eZBerichtFibu)
        bedingung += QStringLiteral(" AND ((Art<>11) OR (Art=11 and ZBericht=1))");
    return bedingung;
}

int effektiveArt(int art, const AuftragArtFlags* flags)
{
    if (!flags)
        return art;
    int ergebnis = art;
    if (flags->gutschrift)
        ergebnis = 7;
    if (flags->eingangsrechnung)
        ergebnis = 16;
    if (flags->rechnung)
        ergebnis = 4;
    return ergebnis;
}

bool artGehoertZumModus(int art, ImportModus modus)
{
    const bool eingang = art == 16 || art == 20;
    return modus == ImportModus::Eingang ? eingang : !eingang;
}

bool istRechnungsArt(int art)
{
    return art == 4 || art == 5 || art == 6 || art == 11 || art == 16;
}

bool istGutschriftsArt(int art)
{
    return art == 7 || art == 13 || art == 20;
}

bool Zeitraum::enthaelt(const QDateTime& zeitpunkt) const
{
    if (!zeitpunkt.isValid())
        return false;
    // Compared field by field: stored values carry no zone. A time of day on the last day lies
    // after bis.
    const QDate tag = zeitpunkt.date();
    if (tag < von || tag > bis)
        return false;
    return tag < bis || zeitpunkt.time() == QTime(0, 0);
}

int entscheidungsZeilen(const BelegZustand& z)
{
    if (!z.storniert && !z.gedruckt)
        return 0;
    return z.storniert ? 5 : 6;
}

Entscheidung entscheidungsZeile(int zeile, const BelegZustand& z, const Zeitraum& zeitraum, bool f, bool b)
{
    const bool rechnung = istRechnungsArt(z.effektiveArt);
    const bool gutschrift = istGutschriftsArt(z.effektiveArt);
    const bool vorgangImZeitraum = zeitraum.enthaelt(z.vorgangsdatum);
    const bool buchImZeitraum = zeitraum.enthaelt(z.buchdatum);
    const bool teilzahlung = z.bezahlt != z.bezahlungDirekt && b;
    auto wenn = [](bool bedingung, BelegAktion aktion) { return Entscheidung{bedingung, aktion}; };

    if (z.storniert) {
        switch (zeile) {
        case 0:
            return wenn(z.fibuForderung && rechnung && vorgangImZeitraum && f, BelegAktion::RechnungBuchen);
        case 1:
            return wenn(z.fibuVerbindlichkeit && rechnung && buchImZeitraum && b, BelegAktion::Abschliessen0);
        case 2:
            return wenn(z.fibuForderung && gutschrift && vorgangImZeitraum && f, BelegAktion::Gutschrift);
        case 3:
            return wenn(z.fibuVerbindlichkeit && gutschrift && buchImZeitraum && b, BelegAktion::Abschliessen1);
        case 4:
            return wenn(teilzahlung, BelegAktion::Teilzahlungen);
        default:
            return {};
        }
    }
    const bool abschlussOffen = z.abgeschlossen && z.fibuForderung && !z.fibuVerbindlichkeit;
    switch (zeile) {
    case 0:
        return wenn(z.fibuForderung && z.fibuVerbindlichkeit, BelegAktion::Keine);
    case 1:
        return wenn(!z.fibuForderung && rechnung && vorgangImZeitraum && f, BelegAktion::RechnungBuchen);
    case 2:
        return wenn(abschlussOffen && rechnung && buchImZeitraum && b, BelegAktion::Abschliessen0);
    case 3:
        return wenn(!z.fibuForderung && gutschrift && vorgangImZeitraum && f, BelegAktion::Gutschrift);
    case 4:
        return wenn(teilzahlung, BelegAktion::Teilzahlungen);
    case 5:
        return wenn(abschlussOffen && gutschrift && buchImZeitraum && b, BelegAktion::Abschliessen1);
    default:
        return {};
    }
}

}  // namespace fibuimport
