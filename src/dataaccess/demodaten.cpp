#include "dataaccess/demodaten.h"

#include "dataaccess/wawiinserter.h"

#include <QSet>
#include <cmath>
#include <optional>

namespace {

QString s(const char* text) { return QString::fromUtf8(text); }

double round2(double v) { return std::round(v * 100.0) / 100.0; }

// ---- master data -------------------------------------------------------------------------

struct MwstZeile {
    int code;
    const char* bezeichnung;
    QDate datum;
    double alt, aktuell;
    QDate neuDatum;
    double neu;
    int erloes, erloesAktuell, erloesNeu;  // EL_Konto, NEL_Konto, NEU_EL_Konto
    int eg, drittland, bau, kosten, egEinkauf, drittlandEinkauf, steuerkonto;
};

const QList<MwstZeile>& mwstZeilen()
{
    const QDate juli2020(2020, 7, 1);
    const QDate jan2021(2021, 1, 1);
    static const QList<MwstZeile> rows{
        {0, "steuerfrei", QDate(2000, 1, 1), 0, 0, QDate(), 0, 8100, 8100, 8100, 8125, 8120, 8337, 3200, 3425, 3551, 0},
        {1, "Regelsatz 19 %", juli2020, 19, 16, jan2021, 19, 8400, 8400, 8400, 8125, 8120, 8337, 3400, 3425, 3551, 1776},
        {2, "ermäßigt 7 %", juli2020, 7, 5, jan2021, 7, 8300, 8300, 8300, 8125, 8120, 8337, 3300, 3420, 3551, 1771},
        {3, "Regelsatz 16 % (alt)", QDate(2000, 1, 1), 16, 16, QDate(), 16, 8400, 8400, 8400, 8125, 8120, 8337, 3400, 3425, 3551, 1775},
        {4, "ermäßigt 5 % (alt)", QDate(2000, 1, 1), 5, 5, QDate(), 5, 8300, 8300, 8300, 8125, 8120, 8337, 3300, 3420, 3551, 1773},
        {5, "innergemeinschaftliche Lieferung", QDate(2000, 1, 1), 0, 0, QDate(), 0, 8125, 8125, 8125, 8125, 8120, 8337, 3425, 3425, 3551, 0},
        {6, "Ausfuhr Drittland", QDate(2000, 1, 1), 0, 0, QDate(), 0, 8120, 8120, 8120, 8125, 8120, 8337, 3551, 3425, 3551, 0},
        {7, "Bauleistung § 13b UStG", QDate(2000, 1, 1), 0, 0, QDate(), 0, 8337, 8337, 8337, 8125, 8120, 8337, 3120, 3425, 3551, 0},
        {8, "Land- und Forstwirtschaft § 24", QDate(2000, 1, 1), 10.7, 0, QDate(2022, 1, 1), 9.5, 8400, 8400, 8400, 8125, 8120, 8337, 3400, 3425, 3551, 1776},
        {9, "Gastronomie (Speisen)", juli2020, 19, 7, QDate(2024, 1, 1), 19, 8400, 8300, 8400, 8125, 8120, 8337, 3400, 3425, 3551, 1776},
    };
    return rows;
}

// The rate of a VAT code on a date, by the products' rule (old, current, newest rate).
double satzAm(int code, const QDate& d)
{
    for (const MwstZeile& z : mwstZeilen()) {
        if (z.code != code)
            continue;
        double rate = z.datum > d ? z.alt : (z.neuDatum.isValid() && z.neuDatum <= d ? z.neu : z.aktuell);
        if (rate < 0.001)
            rate = z.neu;
        return rate / 100.0;
    }
    return 0.0;
}

struct ArtikelZeile {
    int id;
    const char* nummer;
    const char* bezeichnung;
    int art, warengruppe, ust, verkauf, eg, sonder, einkauf;
    double vk, ek;
};

const QList<ArtikelZeile>& artikelZeilen()
{
    static const QList<ArtikelZeile> rows{
        {1, "BU-1001", "Kopierpapier A4 80 g, 500 Blatt", 0, 1, 1, 8400, 8125, 8120, 3400, 4.99, 2.10},
        {2, "BU-1002", "Kugelschreiber blau", 0, 1, 1, 0, 0, 0, 0, 0.89, 0.25},
        {3, "BU-2001", "Fachbuch Buchführung kompakt", 0, 2, 2, 0, 0, 0, 0, 39.90, 24.00},
        {4, "MO-3001", "Bürostuhl ergonomisch", 0, 4, 1, 0, 0, 0, 0, 189.00, 120.00},
        {5, "DL-9001", "Servicestunde Techniker", 1, 3, 1, 0, 0, 0, 0, 95.20, 0},
        {6, "DL-9002", "Montage Trennwandsystem (Bauleistung)", 1, 3, 7, 0, 0, 0, 0, 65.00, 0},
        {7, "XX-0001", "Sonderanfertigung Stempel", 0, 99, 1, 0, 0, 0, 0, 12.50, 5.00},
        {8, "BU-1003", "Tonerkartusche schwarz", 0, 1, 1, 0, 0, 0, 3400, 59.00, 38.00},
        {9, "LM-0001", "Kaffee Crema 1 kg", 0, 5, 2, 0, 0, 0, 0, 8.99, 5.20},
        {10, "GA-0001", "Mittagsmenü Konferenz", 1, 3, 9, 0, 0, 0, 0, 14.50, 0},
    };
    return rows;
}

const ArtikelZeile& artikelById(int id)
{
    for (const ArtikelZeile& a : artikelZeilen())
        if (a.id == id)
            return a;
    return artikelZeilen().first();
}

struct AdressZeile {
    int id, mandant, art;
    const char* nummer;
    const char* suchbegriff;
    const char* firma;
    const char* strasse;
    const char* plz;
    const char* ort;
    const char* land;
    const char* egid;
    int fibuKonto;
};

const QList<AdressZeile>& adressZeilen()
{
    static const QList<AdressZeile> rows{
        {1, 1, 0, "10023", "SCHNEIDER", "Bürohaus Schneider GmbH", "Friedrichstraße 112", "10117", "Berlin", "Deutschland", "", 0},
        {2, 1, 0, "10024", "WEBER", "Kanzlei Dr. Weber & Kollegen", "Jungfernstieg 7", "20354", "Hamburg", "Deutschland", "", 10457},
        {3, 1, 0, "4711", "SONNENSCHEIN", "Café Sonnenschein", "Hohe Straße 41", "50667", "Köln", "Deutschland", "", 0},
        {4, 1, 0, "10026", "ALPENHANDEL", "Alpen Handel GmbH", "Mariahilfer Straße 88", "1070", "Wien", "Österreich", "ATU12345678", 0},
        {5, 1, 0, "10027", "DUPONT", "Librairie Dupont SARL", "12 Rue de Rivoli", "75004", "Paris", "Frankreich", "FR40123456789", 0},
        {6, 1, 0, "10028", "SCHWEIZER UHREN", "Schweizer Uhren AG", "Bahnhofstrasse 21", "8001", "Zürich", "Schweiz", "", 0},
        {7, 1, 0, "10029", "KRUEGER BAU", "Hausbau Krüger GmbH", "Am Hafen 3", "18055", "Rostock", "Deutschland", "", 0},
        {8, 1, 0, "10030", "FISCHER", "Anna Fischer", "Leopoldstraße 19", "80802", "München", "Deutschland", "", 12345},
        {9, 1, 0, "123", "FAHRRAD OST", "Fahrradladen Ost e. K.", "Karl-Liebknecht-Straße 5", "04107", "Leipzig", "Deutschland", "", 0},
        {10, 1, 0, "10031", "DE VRIES", "De Vries Kantoorartikelen B.V.", "Damrak 70", "1012 LM", "Amsterdam", "Niederlande", "NL123456789B01", 0},
        {11, 1, 1, "70001", "PAPIER NORD", "Papier Großhandel Nord GmbH", "Überseestadt 12", "28217", "Bremen", "Deutschland", "", 0},
        {12, 1, 1, "70002", "MOEBELWERKE SUED", "Möbelwerke Süd AG", "Industriestraße 40", "70565", "Stuttgart", "Deutschland", "", 70010},
        {13, 1, 1, "70003", "DRUCKEREI LEHMANN", "Druckerei Lehmann OHG", "Gutenbergplatz 2", "04103", "Leipzig", "Deutschland", "", 0},
        {14, 1, 1, "70004", "WIENER BUEROTECHNIK", "Wiener Bürotechnik GmbH", "Favoritenstraße 9", "1040", "Wien", "Österreich", "ATU87654321", 0},
        {15, 2, 0, "20001", "AUTOHAUS BECKER", "Autohaus Becker GmbH & Co. KG", "Hansaring 60", "48155", "Münster", "Deutschland", "", 0},
        {16, 2, 0, "20002", "GAERTNEREI WOLF", "Gärtnerei Wolf", "Gartenweg 4", "33602", "Bielefeld", "Deutschland", "", 20002},
        {17, 2, 1, "80001", "BAUSTOFFE HOFFMANN", "Baustoffe Hoffmann KG", "Zechenstraße 8", "44135", "Dortmund", "Deutschland", "", 0},
    };
    return rows;
}

const AdressZeile& adresseById(int id)
{
    for (const AdressZeile& a : adressZeilen())
        if (a.id == id)
            return a;
    return adressZeilen().first();
}

// ---- documents ---------------------------------------------------------------------------

struct Pos {
    int art;
    int artikel;
    double anzahl;
    double preis;  // gross for Steuer 0/1, net for Steuer 2
    double rabatt = 0;
    int sonderust = 0;
    const char* frei1 = "";
    double preiseinheit = 1;
    const char* text = nullptr;
};

struct Tz {
    int tageVor;
    double betrag;
    bool fibu;
    bool storno;
    int konto = 0;
};

struct Beleg {
    int mandant;
    int art;
    int adresse;
    const char* nr;
    const char* zustand;
    int tageVor;                    // Vorgangsdatum = today - tageVor
    std::optional<int> buchTageVor;  // Buchdatum; negative = in the future; none = Vorgangsdatum
    int steuer = 1;
    bool gedruckt = true;
    bool storniert = false;
    bool abgeschlossen = false;
    bool fibuForderung = false;
    bool fibuVerbindlichkeit = false;
    int zahlungsart = 0;
    bool vollBezahlt = false;  // paid directly in full (plus mehr, less minderung)
    double direkt = 0;         // direct payment when not vollBezahlt
    double mehr = 0;           // overpayment on top of the total
    double minderung = 0;
    QList<Tz> zahlungen = {};
    QList<Pos> pos = {};
    double grabatt = 0;
    double porto = 0;
    double verpackung = 0;
    int versandMwSt = 0;
    int zbericht = 0;
    const char* lieferanschrift = "";
    int konto = 0;
    double faktor = 1;
    const char* shopId = "";
    const char* auftragsnummer = "";
    int tage1 = 0;
    int tage3 = 0;
    bool mitUstUndValuta = false;
    QDate festesDatum = {};  // instead of tageVor
};

Pos art0(int artikel, double anzahl, double preis) { return Pos{0, artikel, anzahl, preis}; }

QList<Beleg> belegListe()
{
    QList<Beleg> b;
    const QList<Pos> gemischt{art0(1, 10, 4.99), art0(2, 20, 0.89), art0(3, 1, 39.90),
                              art0(5, 2, 95.20), art0(7, 1, 12.50)};
    // Client 1: sales.
    b.append({1, 4, 1, "50001", "Rechnung, gedruckt, offen; zwei Steuersätze, Artikel mit und ohne eigenes Konto, Warengruppe ohne Konten, unbekannte Warengruppe: wird gebucht", 20, {}, 1, true, false, false, false, false, 0, false, 0, 0, 0, {}, gemischt});
    b.append({1, 4, 3, "50002", "Rechnung an Kunde 4711 (< 10000), bar bezahlt und abgeschlossen, nicht gebucht: wird gebucht und ausgeglichen", 18, 15, 1, true, false, true, false, false, 1, true, 0, 0, 0, {}, {art0(1, 5, 4.99), art0(8, 1, 59.00)}});
    b.append({1, 4, 1, "50003", "Rechnung netto 100,00 + USt = 119,00, 116,62 überwiesen, abgeschlossen mit 2,38 offen: Buchung, Zahlung, Skonto", 16, 10, 2, true, false, true, false, false, 2, false, 116.62, 0, 0, {}, {art0(1, 1, 100.00)}});
    b.append({1, 4, 2, "50004", "Rechnung vor dem Zeitraum gebucht (Fibu_Forderung), Ausgleich im Zeitraum: nur Ausgleich", 45, 3, 1, true, false, true, true, false, 2, true, 0, 0, 0, {}, {art0(4, 1, 189.00)}});
    b.append({1, 4, 8, "50005", "Rechnung gebucht und ausgeglichen (beide Kennzeichen): nichts", 10, 9, 1, true, false, true, true, true, 2, true, 0, 0, 0, {}, {art0(3, 2, 39.90)}});
    b.append({1, 4, 1, "50006", "Rechnung gebucht, danach storniert, Teilzahlung 40,00 gebucht: Storno der Rechnung und der Teilzahlung", 12, {}, 1, true, true, false, true, false, 2, false, 0, 0, 0, {{11, 40.00, true, false}}, {art0(4, 1, 189.00)}});
    b.append({1, 4, 2, "50007", "Rechnung gebucht und ausgeglichen, danach storniert: Storno der Rechnung und des Ausgleichs", 14, 13, 1, true, true, true, true, true, 1, true, 0, 0, 0, {}, {art0(8, 2, 59.00)}});
    b.append({1, 4, 3, "50008", "Rechnung storniert, nie gebucht: nichts", 11, {}, 1, true, true, false, false, false, 0, false, 0, 0, 0, {}, {art0(2, 10, 0.89)}});
    b.append({1, 4, 1, "50009", "Rechnung nicht gedruckt (Entwurf): übersprungen", 7, {}, 1, false, false, false, false, false, 0, false, 0, 0, 0, {}, {art0(1, 3, 4.99)}});
    b.append({1, 4, 9, "50010", "Rechnung an Kunde 123 mit Teilzahlungen: 50,00 gebucht, 100,00 neu (Kasse 1000), 30,00 gebucht und storniert, 20,00 storniert nie gebucht; Rest offen", 25, 8, 1, true, false, false, false, false, 3, false, 0, 0, 0, {{22, 50.00, true, false}, {8, 100.00, false, false, 1000}, {6, 30.00, true, true}, {5, 20.00, false, true}}, {art0(4, 2, 189.00)}});
    b.append({1, 4, 1, "50011", "Rechnung abgeschlossen, Buchdatum nach dem Zeitraum: gebucht, nicht ausgeglichen", 5, -7, 1, true, false, true, false, false, 2, true, 0, 0, 0, {}, {art0(5, 3, 95.20)}});
    b.append({1, 4, 4, "50012", "EU-Lieferung (Steuer 3) nach Österreich (Aktiv, EGID): Artikelkonto 8125 und Warengruppe Konto4", 9, {}, 3, true, false, false, false, false, 2, false, 0, 0, 0, {}, {art0(1, 100, 3.50), art0(4, 2, 189.00)}});
    {
        Beleg x{1, 4, 6, "50013", "Ausfuhr (Steuer 4) in die Schweiz, Faktor 0,95: Sonderkonto 8120 und Warengruppe Konto3", 8, {}, 4, true, false, false, false, false, 2, false, 0, 0, 0, {}, {art0(1, 50, 4.20), art0(2, 100, 0.75)}};
        x.faktor = 0.95;
        b.append(x);
    }
    b.append({1, 4, 7, "50014", "Bauleistung (Steuer 5), überwiesen und abgeschlossen: Konto N_Bau 8337", 6, 2, 5, true, false, true, false, false, 2, true, 0, 0, 0, {}, {Pos{2, 6, 8, 65.00}}});
    {
        Beleg x{1, 4, 2, "50015", "Rechnung mit Positionen jeder Art, 10 % Gesamtrabatt, Porto 5,00, Verpackung 2,50, Lieferanschrift, Sondersteuer, Preiseinheit 100, Frei1 als Mengenfaktor", 4, {}, 1};
        x.pos = {Pos{0, 1, 4, 4.99, 0, 0, "2,5"},
                 Pos{1, 0, 0, 0, 0, 0, "", 1, "Lieferung frei Haus"},
                 Pos{2, 5, 1, 95.20},
                 Pos{3, 0, 1, 50.00, 0, 0, "", 1, "Zwischensumme"},
                 Pos{4, 4, 1, 189.00, 0, 0, "", 1, "Alternative: Bürostuhl"},
                 Pos{5, 2, 10, 0.89, 0, 0, "", 1, "Set-Inhalt"},
                 Pos{6, 2, 2, 0.89, 0, 0, "", 1, "Rücknahme Kugelschreiber"},
                 Pos{11, 8, 1, 29.90, 0, 0, "", 1, "Gutschrift Toner"},
                 Pos{12, 9, 3, 8.99, 5},
                 Pos{15, 8, 1, 59.00},
                 Pos{0, 2, 10, 0.89, 0, 2},
                 Pos{0, 1, 3, 499.00, 0, 0, "", 100, "Kopierpapier A4 (Preis je 100 Pakete)"}};
        x.grabatt = 10;
        x.porto = 5.00;
        x.verpackung = 2.50;
        x.lieferanschrift = "Herr\r\nHans Meier\r\nLindenweg 3\r\n80331 München";
        b.append(x);
    }
    b.append({1, 5, 3, "50016", "Barverkauf (Art 5), bar bezahlt und abgeschlossen", 3, 3, 1, true, false, true, false, false, 1, true, 0, 0, 0, {}, {art0(9, 2, 8.99), art0(1, 2, 4.99)}});
    {
        Beleg x{1, 6, 1, "50017", "Sammelrechnung (Art 6), Porto 4,90 mit eigener Versand-MwSt 2 (7 %)", 2, {}, 1, true, false, false, false, false, 0, false, 0, 0, 0, {}, {art0(3, 3, 39.90), art0(1, 10, 4.99)}};
        x.porto = 4.90;
        x.versandMwSt = 2;
        b.append(x);
    }
    {
        Beleg x{1, 11, 3, "110001", "Kassenbon (Art 11) mit ZBericht 1, bar: wird gebucht", 1, 1, 1, true, false, true, false, false, 1, true, 0, 0, 0, {}, {art0(9, 1, 8.99), art0(10, 2, 14.50)}};
        x.zbericht = 1;
        b.append(x);
    }
    b.append({1, 11, 3, "110002", "Kassenbon (Art 11) ohne ZBericht: nicht ausgewählt (E_ZBericht_FIBU aus)", 1, 1, 1, true, false, true, false, false, 1, true, 0, 0, 0, {}, {art0(2, 5, 0.89)}});
    b.append({1, 7, 1, "60001", "Gutschrift (Art 7), gedruckt: wird gebucht", 9, {}, 1, true, false, false, false, false, 2, false, 0, 0, 0, {}, {art0(1, 2, 4.99)}});
    b.append({1, 13, 2, "60002", "Wertgutschrift (Art 13), ausgezahlt und abgeschlossen: Buchung und Ausgleich", 8, 6, 1, true, false, true, false, false, 2, true, 0, 0, 0, {}, {art0(5, 1, 95.20)}});
    b.append({1, 7, 8, "60003", "Gutschrift gebucht, danach storniert: Storno", 12, {}, 1, true, true, false, true, false, 2, false, 0, 0, 0, {}, {art0(3, 1, 39.90)}});
    // Client 1: purchases.
    b.append({1, 16, 11, "R-2026-0815", "Eingangsrechnung (Art 16) netto, Belegnummer nicht numerisch, offen: Einkaufskonto 3400 und Warengruppe Konto1", 15, {}, 2, true, false, false, false, false, 2, false, 0, 0, 0, {}, {art0(1, 500, 2.10), art0(8, 10, 38.00)}});
    b.append({1, 16, 12, "7002", "Eingangsrechnung von Lieferant mit Konto 70010, überwiesen und abgeschlossen", 13, 5, 2, true, false, true, false, false, 2, true, 0, 0, 0, {}, {art0(4, 4, 120.00)}});
    b.append({1, 20, 13, "118", "Lieferantengutschrift (Art 20), gedruckt: Gutschriftzeilen", 7, {}, 2, true, false, false, false, false, 2, false, 0, 0, 0, {}, {Pos{2, 5, 1, 80.00}}});
    b.append({1, 16, 13, "7003", "Eingangsrechnung abgeschlossen, nicht bezahlt: kein Skonto", 6, 2, 2, true, false, true, false, false, 2, false, 0, 0, 0, {}, {art0(5, 2, 45.00)}});
    b.append({1, 16, 14, "7004", "innergemeinschaftlicher Erwerb (Steuer 3) aus Österreich", 10, {}, 3, true, false, false, false, false, 2, false, 0, 0, 0, {}, {art0(1, 1000, 1.95)}});
    // Client 1: user-defined kinds and kinds that post nothing.
    b.append({1, 30, 1, "50018", "Abschlagsrechnung (eigene Art 30, L_Rechnung): wie Rechnung", 8, {}, 1, true, false, false, false, false, 2, false, 0, 0, 0, {}, {art0(5, 5, 95.20)}});
    b.append({1, 31, 1, "60004", "Retoure (eigene Art 31, L_Gutschrift): wie Gutschrift", 7, {}, 1, true, false, false, false, false, 2, false, 0, 0, 0, {}, {art0(2, 30, 0.89)}});
    b.append({1, 32, 2, "50019", "Sonderbeleg (eigene Art 32, L_Gutschrift und L_Rechnung): wie Rechnung", 6, {}, 1, true, false, false, false, false, 2, false, 0, 0, 0, {}, {art0(1, 20, 4.99)}});
    b.append({1, 33, 11, "5501", "Kostenbeleg (eigene Art 33, L_Eingangsrechnung): wie Eingangsrechnung", 5, {}, 2, true, false, false, false, false, 2, false, 0, 0, 0, {}, {art0(8, 3, 38.00)}});
    b.append({1, 1, 1, "40001", "Angebot (Art 1), gedruckt: bucht nichts", 3, {}, 1, true, false, false, false, false, 0, false, 0, 0, 0, {}, {art0(4, 10, 189.00)}});
    b.append({1, 4, 10, "50020", "Rechnung in die Niederlande (Land Aktiv): Kontenübersetzung", 5, {}, 1, true, false, false, false, false, 2, false, 0, 0, 0, {}, {art0(1, 40, 4.99)}});
    b.append({1, 4, 8, "50021", "Rechnung mit 5,00 überzahlt und abgeschlossen (Offen -5,00): Überzahlung", 10, 4, 1, true, false, true, false, false, 2, true, 0, 5.00, 0, {}, {art0(3, 1, 39.90)}});
    {
        Beleg x{1, 4, 1, "50022", "Shop-Bestellung mit ShopID, Auftragsnummer, Zahlungsziel 14/30 Tage, USt-Datum und Valuta", 3, {}, 1, true, false, false, false, false, 2, false, 0, 0, 0, {}, {art0(8, 2, 59.00)}};
        x.shopId = "SHOP-100234";
        x.auftragsnummer = "A-2026-118";
        x.tage1 = 14;
        x.tage3 = 30;
        x.mitUstUndValuta = true;
        b.append(x);
    }
    {
        Beleg x{1, 4, 1, "50023", "Rechnung mit Minderung 10,00 und eigenem Zahlungskonto 1210, Rest überwiesen und abgeschlossen", 9, 4, 1, true, false, true, false, false, 2, true, 0, 0, 10.00, {}, {art0(5, 5, 95.20)}};
        x.konto = 1210;
        b.append(x);
    }
    {
        Beleg x{1, 4, 1, "50024", "Rechnung aus dem Zeitraum 1. Juli bis 31. Dezember 2020 (16 %), gebucht und ausgeglichen", 0, {}, 1, true, false, true, true, true, 2, true, 0, 0, 0, {}, {art0(1, 10, 4.99)}};
        x.festesDatum = QDate(2020, 8, 14);
        b.append(x);
    }
    // Client 2.
    b.append({2, 4, 15, "20001", "Mandant 2: Rechnung, gedruckt, offen", 10, {}, 1, true, false, false, false, false, 2, false, 0, 0, 0, {}, {art0(4, 3, 189.00)}});
    b.append({2, 4, 16, "20002", "Mandant 2: Rechnung an Kunde mit Konto 20002, bar bezahlt und abgeschlossen", 6, 2, 1, true, false, true, false, false, 1, true, 0, 0, 0, {}, {art0(9, 4, 8.99)}});
    b.append({2, 7, 15, "21001", "Mandant 2: Gutschrift", 4, {}, 1, true, false, false, false, false, 2, false, 0, 0, 0, {}, {art0(2, 10, 0.89)}});
    b.append({2, 16, 17, "9001", "Mandant 2: Eingangsrechnung netto", 8, {}, 2, true, false, false, false, false, 2, false, 0, 0, 0, {}, {art0(6, 10, 40.00)}});
    {
        Beleg x{2, 11, 16, "110101", "Mandant 2: Kassenbon ohne ZBericht (E_ZBericht_FIBU an: ausgewählt)", 2, 2, 1, true, false, true, false, false, 1, true, 0, 0, 0, {}, {art0(9, 1, 8.99)}};
        b.append(x);
    }
    return b;
}

int versandMwstDesMandanten(int mandant) { return mandant == 1 ? 1 : 2; }

bool frei1Multi(int mandant) { return mandant == 1; }

bool zaehlt(int art) { return art == 0 || art == 2 || art == 6 || art == 11 || art == 12 || art == 15; }

// The document total as the import reconciles it: positions, discount, additional costs.
double belegBetrag(const Beleg& b, const QDate& datum)
{
    auto brutto = [&](double netOrGross, double rate) {
        return b.steuer == 2 ? netOrGross + netOrGross * rate : netOrGross;
    };
    const bool mitSteuer = b.steuer <= 2;
    double summe = 0;
    for (const Pos& p : b.pos) {
        if (!zaehlt(p.art))
            continue;
        const int code = p.sonderust >= 1 ? p.sonderust : artikelById(p.artikel).ust;
        const double rate = mitSteuer ? satzAm(code, datum) : 0.0;
        const double a = (p.art == 6 || p.art == 11) ? -p.anzahl : p.anzahl;
        const double pe = int(p.preiseinheit) == 0 ? 1.0 : p.preiseinheit;
        double m = 1;
        const QString frei = QString::fromUtf8(p.frei1).trimmed();
        if (frei1Multi(b.mandant) && !frei.isEmpty())
            m *= QString(frei).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
        summe += brutto(round2(p.preis * a * m / pe * (1 - p.rabatt / 100)), rate);
    }
    summe *= 1 - b.grabatt / 100;
    const int code = b.versandMwSt >= 1 ? b.versandMwSt : versandMwstDesMandanten(b.mandant);
    summe += brutto(b.porto + b.verpackung, mitSteuer ? satzAm(code, datum) : 0.0);
    return round2(summe);
}

// ---- writing -----------------------------------------------------------------------------

class Writer {
public:
    Writer(QSqlDatabase& db, const WawiSchemaOptions& options, const QDate& heute)
        : db_(db), options_(options), heute_(heute)
    {
    }

    bool rows(const QString& tabelle, const QList<QVariantHash>& rows)
    {
        WawiInserter ins(db_, tabelle, options_);
        for (const QVariantHash& row : rows)
            if (!ins.add(row))
                return fail(ins.error());
        return ins.flush() || fail(ins.error());
    }

    bool stammdaten();
    bool belege();
    bool kassenbuch();
    bool monate();
    QString error() const { return error_; }

private:
    bool fail(const QString& e)
    {
        error_ = e;
        return false;
    }
    QDate tag(int tageVor) const { return heute_.addDays(-tageVor); }

    QSqlDatabase& db_;
    WawiSchemaOptions options_;
    QDate heute_;
    QString error_;
};

bool Writer::stammdaten()
{
    const QString man1 = s("[MANDANT]\r\nFrei1Multi=1\r\nFrei2Multi=0\r\nFrei3Multi=0\r\n"
                           "Versand_MWST=1\r\nE_FreiUmrech1=0\r\nE_FreiUmrech2=1\r\n"
                           "E_FreiUmrech3=1\r\nEuroumstell=1\r\nE_ZBericht_FIBU=0\r\n");
    const QString man2 = s("[MANDANT]\r\nVersand_MWST=2\r\nE_ZBericht_FIBU=1\r\n");
    QList<QVariantHash> mandanten{
        {{"Mandant", 1}, {"Firma1", s("Müller Bürotechnik GmbH")}, {"Firma2", s("Büro- und Objekteinrichtung")},
         {"Strasse", s("Königsallee 14")}, {"PLZ", s("40212")}, {"Ort", s("Düsseldorf")}, {"Zusatz2", man1}},
        {{"Mandant", 2}, {"Firma1", s("")}, {"Firma2", s("   ")}, {"Firma3", s("")},
         {"Name", s("Schmidt & Partner Handels KG")}, {"Strasse", s("Marktplatz 2")},
         {"PLZ", s("48143")}, {"Ort", s("Münster")}, {"Zusatz2", man2}},
    };
    QList<QVariantHash> arten;
    const QList<std::pair<int, const char*>> standard{
        {1, "Angebot"}, {2, "Auftragsbestätigung"}, {3, "Lieferschein"}, {4, "Rechnung"},
        {5, "Barverkauf"}, {6, "Sammelrechnung"}, {7, "Gutschrift"}, {11, "Kassenbon"},
        {13, "Wertgutschrift"}, {15, "Bestellung"}, {16, "Eingangsrechnung"},
        {20, "Lieferantengutschrift"}};
    for (const auto& [art, name] : standard)
        arten.append({{"Art", art}, {"Bezeichnung", s(name)}});
    arten.append({{"Art", 30}, {"Bezeichnung", s("Abschlagsrechnung")}, {"L_Rechnung", 1}});
    arten.append({{"Art", 31}, {"Bezeichnung", s("Retoure")}, {"L_Gutschrift", 1}});
    arten.append({{"Art", 32}, {"Bezeichnung", s("Sonderbeleg")}, {"L_Gutschrift", 1}, {"L_Rechnung", 1}});
    arten.append({{"Art", 33}, {"Bezeichnung", s("Kostenbeleg")}, {"L_Eingangsrechnung", 1}});

    QList<QVariantHash> gruppen{
        {{"Warengruppe", 1}, {"Bezeichnung", s("Bürobedarf")}, {"Konto1", 3400}, {"Konto2", 8400}, {"Konto3", 8120}, {"Konto4", 8125}},
        {{"Warengruppe", 2}, {"Bezeichnung", s("Bücher")}, {"Konto1", 3300}, {"Konto2", 8300}, {"Konto3", 8120}, {"Konto4", 8125}},
        {{"Warengruppe", 3}, {"Bezeichnung", s("Dienstleistungen")}},
        {{"Warengruppe", 4}, {"Bezeichnung", s("Büromöbel")}, {"Konto1", 3400}, {"Konto2", 8400}, {"Konto3", 8120}, {"Konto4", 8125}},
        {{"Warengruppe", 5}, {"Bezeichnung", s("Lebensmittel")}, {"Konto1", 3300}, {"Konto2", 8300}, {"Konto3", 8120}, {"Konto4", 8125}},
    };
    QList<QVariantHash> artikel;
    for (const ArtikelZeile& a : artikelZeilen())
        artikel.append({{"Artikel", a.id}, {"Artikelnummer", s(a.nummer)}, {"Bezeichnung", s(a.bezeichnung)},
                        {"Art", a.art}, {"Warengruppe", a.warengruppe}, {"Umsatzsteuer", a.ust},
                        {"Verkaufskonto", a.verkauf}, {"EGFibuKonto", a.eg}, {"Verkaufsonderkonto", a.sonder},
                        {"Einkaufskonto", a.einkauf}, {"VK", a.vk}, {"EK", a.ek}});
    QList<QVariantHash> mwst;
    for (const MwstZeile& z : mwstZeilen())
        mwst.append({{"MwSt_Satz", z.code}, {"Bezeichnung", s(z.bezeichnung)}, {"Datum", z.datum},
                     {"MwST", z.alt}, {"NMwST", z.aktuell}, {"NEU_Datum", z.neuDatum}, {"NEU_MWST", z.neu},
                     {"Steuerkonto", z.steuerkonto}, {"NSteuerkonto", z.steuerkonto},
                     {"EL_Konto", z.erloes}, {"NEL_Konto", z.erloesAktuell}, {"NEU_EL_Konto", z.erloesNeu},
                     {"EGVerkauf", z.eg}, {"NEGVerkauf", z.eg}, {"NEU_EG_Verkauf", z.eg},
                     {"Not_EGVerkauf", z.drittland}, {"NNot_EGVerkauf", z.drittland}, {"NEU_NOTEGVerkauf", z.drittland},
                     {"N_Bau", z.bau}, {"NEU_BAUKONTO", z.bau},
                     {"Kostenkonto", z.kosten}, {"NKostenkonto", z.kosten}, {"NEU_Kostenkonto", z.kosten},
                     {"EGEinkauf", z.egEinkauf}, {"NEGEinkauf", z.egEinkauf}, {"NEU_EGEinkauf", z.egEinkauf},
                     {"Not_EGEinkauf", z.drittlandEinkauf}, {"NNot_EGEinkauf", z.drittlandEinkauf},
                     {"NEU_NOTEGEinkauf", z.drittlandEinkauf}});
    QList<QVariantHash> adressen;
    for (const AdressZeile& a : adressZeilen())
        adressen.append({{"Adresse", a.id}, {"Mandant", a.mandant}, {"Art", a.art}, {"Nummer", s(a.nummer)},
                         {"SUCHBEGRIFF", s(a.suchbegriff)}, {"Firma", s(a.firma)}, {"Strasse", s(a.strasse)},
                         {"PLZ", s(a.plz)}, {"Ort", s(a.ort)}, {"Land", s(a.land)}, {"EGID", s(a.egid)},
                         {"FibuKontonummer", a.fibuKonto}});
    QList<QVariantHash> laender;
    const QList<std::tuple<const char*, const char*, bool, bool>> land{
        {"Deutschland", "DE", true, false}, {"Österreich", "AT", true, true},
        {"Frankreich", "FR", true, false},  {"Niederlande", "NL", true, true},
        {"Italien", "IT", true, false},     {"Polen", "PL", true, false},
        {"Schweiz", "CH", false, false},    {"Vereinigte Staaten", "US", false, false}};
    int n = 0;
    for (const auto& [name, kurz, eu, aktiv] : land)
        laender.append({{"Land", ++n}, {"LandName", s(name)}, {"Kurz", s(kurz)}, {"EU", eu ? 1 : 0},
                        {"Aktiv", aktiv ? 1 : 0}});
    QList<QVariantHash> zahlarten{
        {{"Zahlungsart", 0}, {"Bezeichnung", s("Rechnung")}, {"Konto", 1200}, {"Konto1", 1200}},
        {{"Zahlungsart", 1}, {"Bezeichnung", s("Bar")}, {"Konto", 1000}, {"Konto1", 1000}},
        {{"Zahlungsart", 2}, {"Bezeichnung", s("Überweisung")}, {"Konto", 1200}, {"Konto1", 1200}},
        {{"Zahlungsart", 3}, {"Bezeichnung", s("Lastschrift")}, {"Konto", 1200}, {"Konto1", 1200}},
        {{"Zahlungsart", 4}, {"Bezeichnung", s("EC-Karte")}, {"Konto", 1360}, {"Konto1", 1360}},
    };
    return rows(QStringLiteral("Mandant"), mandanten) && rows(QStringLiteral("Auftrag_Art"), arten)
           && rows(QStringLiteral("Warengruppe"), gruppen) && rows(QStringLiteral("Artikel"), artikel)
           && rows(QStringLiteral("MWST"), mwst) && rows(QStringLiteral("Adressen"), adressen)
           && rows(QStringLiteral("Land"), laender) && rows(QStringLiteral("Zahlart"), zahlarten);
}

bool Writer::belege()
{
    QList<QVariantHash> auftraege;
    QList<QVariantHash> positionen;
    QList<QVariantHash> zahlungen;
    int id = 0;
    for (const Beleg& b : belegListe()) {
        ++id;
        const QDate datum = b.festesDatum.isValid() ? b.festesDatum : tag(b.tageVor);
        const QDate buchdatum = b.buchTageVor ? tag(*b.buchTageVor) : datum;
        const double betrag = belegBetrag(b, datum);
        const double direkt = b.vollBezahlt ? round2(betrag + b.mehr - b.minderung) : b.direkt;
        double teil = 0;
        for (const Tz& z : b.zahlungen) {
            if (!z.storno)
                teil += z.betrag;
            zahlungen.append({{"Auftrag", id}, {"Datum", tag(z.tageVor)}, {"Betrag", z.betrag},
                              {"Konto", z.konto}, {"Fibu", z.fibu ? 1 : 0}, {"Storno", z.storno ? 1 : 0},
                              {"Bemerkung", s(z.storno ? "Zahlung storniert" : "Teilzahlung")}});
        }
        const double bezahlt = round2(direkt + teil);
        const AdressZeile& adr = adresseById(b.adresse);
        QVariantHash row{{"Auftrag", id}, {"Mandant", b.mandant}, {"Art", b.art}, {"Adresse1", b.adresse},
                         {"Vorgangsnummer", s(b.nr)}, {"Auftragsnummer", s(b.auftragsnummer)},
                         {"ShopID", s(b.shopId)}, {"Vorgangsdatum", datum}, {"Buchdatum", buchdatum},
                         {"Steuer", b.steuer}, {"L_Land", s(adr.land)}, {"GRabatt", b.grabatt},
                         {"Porto", b.porto}, {"Verpackung", b.verpackung}, {"Betrag", betrag},
                         {"Bezahlt", bezahlt}, {"BezahlungDirekt", direkt},
                         {"Offen", round2(betrag - bezahlt - b.minderung)}, {"Minderung", b.minderung},
                         {"Zahlungsart", b.zahlungsart}, {"Konto", b.konto}, {"Tage1", b.tage1},
                         {"Tage3", b.tage3}, {"Faktor", b.faktor}, {"Storniert", b.storniert ? 1 : 0},
                         {"Gedruckt", b.gedruckt ? 1 : 0}, {"Abgeschlossen", b.abgeschlossen ? 1 : 0},
                         {"ZBericht", b.zbericht}, {"Fibu_Forderung", b.fibuForderung ? 1 : 0},
                         {"Fibu_Verbindlichkeit", b.fibuVerbindlichkeit ? 1 : 0},
                         {"Lieferanschrift", s(b.lieferanschrift)}};
        if (b.versandMwSt > 0)
            row.insert(QStringLiteral("VersandMwSt"), b.versandMwSt);
        if (b.mitUstUndValuta) {
            row.insert(QStringLiteral("USTDatum"), datum.addDays(-1));
            row.insert(QStringLiteral("ValutaDatum"), datum);
        }
        auftraege.append(row);
        const bool einkauf = b.art == 16 || b.art == 20 || b.art == 33;
        int posNr = 0;
        for (const Pos& p : b.pos) {
            const ArtikelZeile& a = artikelById(p.artikel);
            positionen.append({{"Auftrag", id}, {"PosNr", ++posNr}, {"Art", p.art},
                               {"Artikel", p.artikel > 0 ? p.artikel : 0},
                               {"Bezeichnung", p.text ? s(p.text) : (p.artikel > 0 ? s(a.bezeichnung) : QString())},
                               {"SONDERUST", p.sonderust}, {"Preis", p.preis}, {"Anzahl", p.anzahl},
                               {"Preiseinheit", p.preiseinheit}, {"Rabatt", p.rabatt},
                               {"Frei1", s(p.frei1)},
                               {"EK", einkauf ? p.preis : (p.artikel > 0 ? a.ek : 0.0)}});
        }
    }
    return rows(QStringLiteral("Auftrag"), auftraege) && rows(QStringLiteral("Positionen"), positionen)
           && rows(QStringLiteral("Zahlung"), zahlungen);
}

bool Writer::kassenbuch()
{
    struct K {
        int mandant, tageVor;
        const char* beleg;
        double einnahme, ausgabe, steuer;
        int mwst, gegenkonto;
        const char* text;
        double faktor;
        bool fibu;
    };
    const QList<K> eintraege{
        {1, 20, "1001", 119.00, 0, 19.00, 1, 8400, "Barverkauf Kopierpapier", 0, false},
        {1, 18, "1002", 0, 23.80, 3.80, 1, 4930, "Bürobedarf Schreibwaren", 0, false},
        {1, 15, "0815", 0, 10.70, 0.70, 2, 4650, "Bewirtung Kunde", 0, false},
        {1, 12, "", 0, 5.00, 0, 0, 4910, "Briefmarken", 0, false},
        {1, 10, "Q-17", 0.004, 10.00, 1.60, 1, 4930, "Reinigungsmittel", 0, false},
        {1, 8, "1005", 100.00, 0, 15.97, 1, 8400, "Barverkauf in Fremdwährung", 2, false},
        {1, 6, "1006", 500.00, 0, 0, 0, 1360, "Bareinzahlung aus Geldtransit", 1, false},
        {1, 5, "1007", 0, 59.50, 9.50, 1, 4800, "Wartung Kopierer", 0, false},
        {1, 3, "1008", 47.60, 0, 7.60, 1, 8400, "Barverkauf Toner (bereits übernommen)", 0, true},
        {1, 60, "0990", 238.00, 0, 38.00, 1, 8400, "Barverkauf vor dem Zeitraum", 0, false},
        {2, 7, "2001", 59.50, 0, 9.50, 1, 8400, "Barverkauf Mandant 2", 0, false},
        {2, 4, "2002", 0, 11.90, 1.90, 1, 4930, "Bürobedarf Mandant 2", 0, false},
    };
    QList<QVariantHash> rowsOut;
    for (const K& k : eintraege)
        rowsOut.append({{"Kasse", QString()}, {"Mandant", k.mandant}, {"Datum", tag(k.tageVor)},
                        {"Belegnummer", s(k.beleg)}, {"Einnahme", k.einnahme}, {"Ausgabe", k.ausgabe},
                        {"Steuer", k.steuer}, {"MwSt", k.mwst}, {"Gegenkonto", k.gegenkonto},
                        {"Beschreibung", s(k.text)}, {"Faktor", k.faktor}, {"Fibu", k.fibu ? 1 : 0}});
    return rows(QStringLiteral("Kassenbuch"), rowsOut);
}

bool Writer::monate()
{
    QList<QVariantHash> rowsOut;
    for (int mandant = 1; mandant <= 2; ++mandant)
        for (int i = 3; i >= 1; --i) {
            const QDate d = heute_.addMonths(-i);
            rowsOut.append({{"Mandant", mandant}, {"Jahr", d.year()}, {"Periode", d.month()},
                            {"Abgeschlossen", 1}});
        }
    return rows(QStringLiteral("Monate"), rowsOut);
}

}  // namespace

bool DemoDaten::fill(QSqlDatabase& db, const WawiSchemaOptions& options, QString* error,
                     const QDate& heute)
{
    WawiInserter::Transaktion tx(db);
    Writer w(db, options, heute);
    if (!(w.stammdaten() && w.belege() && w.kassenbuch() && w.monate())) {
        if (error)
            *error = w.error();
        return false;
    }
    if (!tx.commit()) {
        if (error)
            *error = QStringLiteral("Commit fehlgeschlagen");
        return false;
    }
    return true;
}

QList<DemoBeleg> DemoDaten::belege()
{
    QList<DemoBeleg> result;
    for (const Beleg& b : belegListe())
        result.append({b.mandant, s(b.nr), b.art, s(b.zustand)});
    return result;
}
