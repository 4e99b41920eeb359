#include "export/extfformat.h"

#include "store/texte.h"
#include "store/zahlen.h"

#include <algorithm>
#include <cmath>

namespace {

// Two digits of a day, month or year, appended (QDate::toString parses its format per call).
void zweiStellen(QString& out, int n)
{
    out += QLatin1Char(static_cast<char>('0' + n / 10 % 10));
    out += QLatin1Char(static_cast<char>('0' + n % 10));
}

QString ddmm(const QDate& date)
{
    QString text;
    if (!date.isValid())
        return text;
    text.reserve(6);
    zweiStellen(text, date.day());
    zweiStellen(text, date.month());
    return text;
}

QString ddmmyy(const QDate& date)
{
    QString text = ddmm(date);
    if (date.isValid())
        zweiStellen(text, date.year() % 100);
    return text;
}

// A cost centre of the booking when not blank, else the setting when not blank, else empty.
QString kostenstelle(const QString& buchung, const QString& vorgabe)
{
    if (!buchung.trimmed().isEmpty())
        return buchung;
    if (!vorgabe.trimmed().isEmpty())
        return vorgabe;
    return QString();
}

// A Belegfeld: letters and digits only, at most 12 (voucher numbers mostly are that already).
QString belegnummer(const QString& text)
{
    const bool schonSo = text.size() <= 12 && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
               || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
    });
    return schonSo ? text : NurBuchstabenZiffern(text).left(12);
}

// Value date, else the due date of an open current order; nothing without an order.
QString belegfeld2(const ExtfBuchung& b, const ExtfAuftrag* auftrag)
{
    if (b.auftrag <= 0)
        return QString();
    if (b.valutaDatum.isValid())
        return ddmmyy(b.valutaDatum);
    if (auftrag && !auftrag->abgeschlossen) {
        const int tage = std::max(auftrag->tage1, auftrag->tage3);
        // Without a document date there is no due date to give.
        if (tage > 0 && auftrag->vorgangsdatum.isValid())
            return ddmmyy(auftrag->vorgangsdatum.addDays(tage));
    }
    return QString();
}

// Appends ";"-separated fields; the line carries no trailing separator.
class Zeile {
public:
    explicit Zeile(qsizetype reserve) { text_.reserve(reserve); }
    Zeile& wert(const QString& v) { sep(); text_ += v; return *this; }
    Zeile& wert(QLatin1StringView v) { sep(); text_ += v; return *this; }
    Zeile& text(const QString& v)
    {
        sep();
        text_ += QLatin1Char('"');
        text_ += v;
        text_ += QLatin1Char('"');
        return *this;
    }
    Zeile& leer(int n = 1) { for (int i = 0; i < n; ++i) sep(); return *this; }
    Zeile& leerText(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            sep();
            text_ += QLatin1StringView("\"\"");
        }
        return *this;
    }
    // Fields that never change, given as text that starts with their separator.
    Zeile& rest(const QString& text, int felder)
    {
        text_ += text;
        felder_ += felder;
        return *this;
    }
    int felder() const { return felder_; }
    QString ergebnis() const { return text_; }

private:
    void sep()
    {
        if (felder_++ > 0)
            text_ += QLatin1Char(';');
    }
    QString text_;
    int felder_ = 0;
};

// Fields 52 to 116 of a booking line: nothing of the booking is in them.
const QString& festesEnde()
{
    static const QString ende = [] {
        Zeile z(256);
        z.wert(QString());  // stands for field 51, written by the caller
        z.leerText(36).leer(3).leerText().leer(3).leerText(2).leer().leerText().leer(3).leerText(2)
            .leer().leerText().leer().leerText().leer().leerText(2).leer().leerText().leer()
            .wert(QLatin1StringView("1")).leer(2);
        Q_ASSERT(z.felder() == 66);
        return z.ergebnis();
    }();
    return ende;
}

QString kopfAnfang(const ExtfKopf& k, QLatin1StringView kategorie, QLatin1StringView name,
                   QLatin1StringView version)
{
    const QString startJahr = QString::number(k.von.year()) + QString::number(k.startMonat).rightJustified(2, QLatin1Char('0'))
                              + QLatin1StringView("01");
    return QLatin1StringView("\"EXTF\";510;") + kategorie + QLatin1StringView(";\"") + name
           + QLatin1StringView("\";") + version + QLatin1Char(';')
           + k.erstellt.toString(QStringLiteral("yyyyMMddhhmmsszzz")) + QLatin1StringView(";;;")
           + k.benutzer.left(255) + QLatin1StringView(";;") + k.beraterNr + QLatin1Char(';')
           + k.mandantNr + QLatin1Char(';') + startJahr + QLatin1Char(';')
           + QString::number(k.adresskontn - 1) + QLatin1Char(';');
}

}  // namespace

bool ExtfAuftragsStand::mitSuche(const ExtfBuchung& b)
{
    return (b.brutto != 0 || b.ustBetrag != 0) && b.auftrag > 0;
}

void ExtfAuftragsStand::weiter(const ExtfBuchung& b, const QHash<int, ExtfAuftrag>& orders)
{
    faktor_ = 1;
    if (mitSuche(b)) {
        const auto it = orders.constFind(b.auftrag);
        if (it == orders.constEnd()) {
            // The key search narrowed the table to the missing key: no current row.
            stand_.reset();
        } else {
            stand_ = *it;
            if (it->faktor >= 0.001 && it->faktor != 1.0)
                faktor_ = it->faktor;
        }
    }
    aktuell_ = b.auftrag > 0 && stand_ && stand_->auftrag == b.auftrag;
}

namespace ExtfFormat {

QString kopfzeileBuchungsstapel(const ExtfKopf& k)
{
    return kopfAnfang(k, QLatin1StringView("21"), QLatin1StringView("Buchungsstapel"), QLatin1StringView("7"))
           + k.von.toString(QStringLiteral("yyyyMMdd")) + QLatin1Char(';')
           + k.bis.toString(QStringLiteral("yyyyMMdd"))
           + QStringLiteral(";\"Qem-DateV Schnittstelle\";\"\";\"1\";\"\";1;\"EUR\";;;;;;;;;");
}

QString kopfzeileKontenbeschriftungen(const ExtfKopf& k)
{
    return kopfAnfang(k, QLatin1StringView("20"), QLatin1StringView("Kontenbeschriftungen"),
                      QLatin1StringView("2"))
           + QStringLiteral(";;\"\";\"\";;\"\";;;;;;;;;;;");
}

QString spaltenBuchungsstapel()
{
    return QStringLiteral(
    "Umsatz (ohne Soll/Haben-Kz);Soll/Haben-Kennzeichen;WKZ Umsatz;Kurs;"
    "Basis-Umsatz;WKZ Basis-Umsatz;Konto;Gegenkonto (ohne BU-Schlüssel);"
    "BU-Schlüssel;Belegdatum;Belegfeld 1;Belegfeld 2;"
    "Skonto;Buchungstext;Postensperre;Diverse Adressnummer;"
    "Geschäftspartnerbank;Sachverhalt;Zinssperre;Beleglink;"
    "Beleginfo - Art 1;Beleginfo - Inhalt 1;Beleginfo - Art 2;Beleginfo - Inhalt 2;"
    "Beleginfo - Art 3;Beleginfo - Inhalt 3;Beleginfo - Art 4;Beleginfo - Inhalt 4;"
    "Beleginfo - Art 5;Beleginfo - Inhalt 5;Beleginfo - Art 6;Beleginfo - Inhalt 6;"
    "Beleginfo - Art 7;Beleginfo - Inhalt 7;Beleginfo - Art 8;Beleginfo - Inhalt 8;"
    "KOST1 - Kostenstelle;KOST2 - Kostenstelle;Kost-Menge;EU-Land u. UStID;"
    "EU-Steuersatz;Abw. Versteuerungsart;Sachverhalt L+L;Funktionsergänzung L+L;"
    "BU 49 Hauptfunktionstyp;BU 49 Hauptfunktionsnummer;BU 49 Funktionsergänzung;Zusatzinformation - Art 1;"
    "Zusatzinformation- Inhalt 1;Zusatzinformation - Art 2;Zusatzinformation- Inhalt 2;Zusatzinformation - Art 3;"
    "Zusatzinformation- Inhalt 3;Zusatzinformation - Art 4;Zusatzinformation- Inhalt 4;Zusatzinformation - Art 5;"
    "Zusatzinformation- Inhalt 5;Zusatzinformation - Art 6;Zusatzinformation- Inhalt 6;Zusatzinformation - Art 7;"
    "Zusatzinformation- Inhalt 7;Zusatzinformation - Art 8;Zusatzinformation- Inhalt 8;Zusatzinformation - Art 9;"
    "Zusatzinformation- Inhalt 9;Zusatzinformation - Art 10;Zusatzinformation- Inhalt 10;Zusatzinformation - Art 11;"
    "Zusatzinformation- Inhalt 11;Zusatzinformation - Art 12;Zusatzinformation- Inhalt 12;Zusatzinformation - Art 13;"
    "Zusatzinformation- Inhalt 13;Zusatzinformation - Art 14;Zusatzinformation- Inhalt 14;Zusatzinformation - Art 15;"
    "Zusatzinformation- Inhalt 15;Zusatzinformation - Art 16;Zusatzinformation- Inhalt 16;Zusatzinformation - Art 17;"
    "Zusatzinformation- Inhalt 17;Zusatzinformation - Art 18;Zusatzinformation- Inhalt 18;Zusatzinformation - Art 19;"
    "Zusatzinformation- Inhalt 19;Zusatzinformation - Art 20;Zusatzinformation- Inhalt 20;Stück;"
    "Gewicht;Zahlweise;Forderungsart;Veranlagungsjahr;"
    "Zugeordnete Fälligkeit;Skontotyp;Auftragsnummer;Buchungstyp;"
    "Ust-Schlüssel (Anzahlungen);EU-Land (Anzahlungen);Sachverhalt L+L (Anzahlungen);EU-Steuersatz (Anzahlungen);"
    "Erlöskonto (Anzahlungen);Herkunft-Kz;Leerfeld;KOST-Datum;"
    "Mandatsreferenz;Skontosperre;Gesellschaftername;Beteiligtennummer;"
    "Identifikationsnummer;Zeichnernummer;Postensperre bis;Bezeichnung SoBil-Sachverhalt;"
    "Kennzeichen SoBil-Buchung;Festschreibung;Leistungsdatum;Datum Zuord.Steuerperiode"
    );
}

QString spaltenKonten()
{
    return QStringLiteral("Konto;Kontobeschriftung;SprachId");
}

QString buchungszeile(const ExtfBuchung& b, const ExtfAuftrag* auftrag, double faktor,
                      const ExtfVorgaben& vorgaben)
{
    // The fixed runs of fields between the booking's values, each starting with the separator
    // after the value before it (built once; a million lines pass here).
    static const QString nachKennzeichen = QStringLiteral(";\"EUR\";");      // 3, separator of 4
    static const QString vorKonto = QStringLiteral(";;\"\";");                 // 5, 6, separator of 7
    static const QString vorDatum = QStringLiteral(";\"\";");                  // 9, separator of 10
    static const QString vorText = QStringLiteral("\";;");                     // end of 12, 13
    static const QString vorKost = [] {                                       // 15 to 36, opens 37
        Zeile z(128);
        z.leer().leerText().leer(3).leerText(17);
        Q_ASSERT(z.felder() == 22);
        return QLatin1Char(';') + z.ergebnis() + QStringLiteral(";\"");
    }();
    static const QString vorEgid = QStringLiteral("\";;\"");                  // end of 38, 39, opens 40
    static const QString vorShop = QStringLiteral("\";;\"\";;;;;;\"\";\""); // 41 to 48, opens 49
    static const QString vorNummer = QStringLiteral("\";\"\";\"");             // 50, opens 51
    static const QString kennS = QStringLiteral(";\"S\"");
    static const QString kennH = QStringLiteral(";\"H\"");
    static const QString kursEins = ZahlZuText(4, 1.0);

    const bool tausch = b.soll < 1;
    QString z;
    z.reserve(400 + b.buchungstext.size());
    z += ZahlZuText(2, Runden(2, std::fabs(b.brutto)));
    z += (tausch || !(b.brutto > 0)) ? kennH : kennS;
    z += nachKennzeichen;
    z += faktor == 1.0 ? kursEins : ZahlZuText(4, faktor);
    z += vorKonto;
    z += QString::number(tausch ? b.haben : b.soll);
    z += QLatin1Char(';');
    z += QString::number(tausch ? b.soll : b.haben);
    z += vorDatum;
    z += ddmm(b.datum);
    z += QStringLiteral(";\"");
    z += belegnummer(b.buchungsnummer);
    z += QStringLiteral("\";\"");
    z += belegnummer(belegfeld2(b, auftrag));
    z += vorText;
    z += quotiertGekuerzt(b.buchungstext, 60);
    z += vorKost;
    z += kostenstelle(b.kostenstelle1, vorgaben.kostenstelle1);
    z += QStringLiteral("\";\"");
    z += kostenstelle(b.kostenstelle2, vorgaben.kostenstelle2);
    z += vorEgid;
    if (auftrag && auftrag->steuer == 3)
        z += auftrag->egid;
    z += vorShop;
    if (auftrag)
        z += auftrag->shopId;
    z += vorNummer;
    if (auftrag)
        z += auftrag->auftragsnummer;
    z += QLatin1Char('"');
    z += festesEnde();
    return z;
}

QString kontozeile(qint64 konto, const QString& beschriftung)
{
    return QString::number(konto).right(8) + QLatin1Char(';') + quotiertGekuerzt(beschriftung, 40)
           + QLatin1StringView(";\"de-DE\"");
}

QString quotiertGekuerzt(const QString& text, int n)
{
    // One pass: quotes doubled while the text is cut at n characters; a doubled quote that
    // would no longer fit whole is left out, so the field's quoting stays balanced.
    QString out;
    out.reserve(std::min<qsizetype>(2 * text.size(), n) + 2);
    out += QLatin1Char('"');
    qsizetype frei = n;
    for (const QChar c : text) {
        const qsizetype breite = c == QLatin1Char('"') ? 2 : 1;
        if (breite > frei)
            break;
        out += c;
        if (breite == 2)
            out += c;
        frei -= breite;
    }
    out += QLatin1Char('"');
    return out;
}

QString beschriftungAusVorlage(const QString& vorlage,
                               const std::function<std::optional<QString>(const QString&)>& feldText)
{
    QString text = vorlage;
    qsizetype auf = text.indexOf(QLatin1Char('{'));
    while (auf >= 0 && auf < text.size() - 1) {
        const qsizetype zu = text.indexOf(QLatin1Char('}'), auf + 1);
        if (zu < 0)
            break;
        const QString name = text.mid(auf + 1, zu - auf - 1);
        const QString wert = feldText(name).value_or(name);
        text.replace(auf, zu - auf + 1, wert);
        auf = text.indexOf(QLatin1Char('{'), auf + wert.size());
    }
    return text;
}

}  // namespace ExtfFormat
