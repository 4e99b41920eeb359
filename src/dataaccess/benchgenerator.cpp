#include "dataaccess/benchgenerator.h"

#include "dataaccess/demodaten.h"
#include "dataaccess/wawiinserter.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>

#include <cmath>
#include <random>

namespace {

// Ids above those of the demo data.
constexpr int ersteAdresse = 1001;
constexpr int ersterArtikel = 1001;
constexpr int ersterAuftrag = 100001;

double round2(double v) { return std::round(v * 100.0) / 100.0; }

const char* const orte[] = {"Berlin", "Hamburg", "München", "Köln", "Frankfurt am Main",
                            "Stuttgart", "Düsseldorf", "Leipzig", "Dortmund", "Essen",
                            "Bremen", "Dresden", "Hannover", "Nürnberg", "Duisburg"};
const char* const namen[] = {"Meyer", "Schulz", "Wagner", "Becker", "Hoffmann", "Schäfer",
                             "Koch", "Bauer", "Richter", "Klein", "Wolf", "Schröder",
                             "Neumann", "Schwarz", "Zimmermann", "Braun", "Krüger", "Hartmann"};
const char* const formen[] = {"GmbH", "KG", "e. K.", "GmbH & Co. KG", "OHG", "AG"};
const char* const waren[] = {"Ordner A4 breit", "Hängeregister", "Druckerpapier A3",
                             "Tischleuchte LED", "Schreibtisch 160 cm", "Rollcontainer",
                             "Whiteboard 120x90", "Flipchart-Block", "Etiketten 70x36",
                             "Briefumschläge C4", "Laminierfolie A4", "Aktenvernichter"};

class Generator {
public:
    Generator(QSqlDatabase& db, const BenchOptions& options) : db_(db), o_(options) {}

    bool run(BenchErgebnis& e, const std::function<void(qint64, qint64)>& progress)
    {
        adressen_ = qMax(10, o_.belege / 20);
        return stammdaten(e) && belege(e, progress);
    }
    QString error() const { return error_; }

private:
    bool fail(const WawiInserter& ins)
    {
        error_ = ins.error();
        return false;
    }

    bool stammdaten(BenchErgebnis& e)
    {
        WawiInserter adr(db_, QStringLiteral("Adressen"), o_.schema);
        for (int i = 0; i < adressen_; ++i) {
            const bool lieferant = i % 10 == 9;
            const QString name = QString::fromUtf8(namen[i % std::size(namen)]);
            if (!adr.add({{"Adresse", ersteAdresse + i}, {"Mandant", 1}, {"Art", lieferant ? 1 : 0},
                          {"Nummer", QString::number((lieferant ? 71000 : 11000) + i)},
                          {"SUCHBEGRIFF", name.toUpper()},
                          {"Firma", name + QLatin1Char(' ') + QString::fromUtf8(formen[i % std::size(formen)])},
                          {"Strasse", QStringLiteral("Hauptstraße %1").arg(1 + i % 120)},
                          {"PLZ", QStringLiteral("%1").arg(10000 + (i * 37) % 89999, 5, 10, QLatin1Char('0'))},
                          {"Ort", QString::fromUtf8(orte[i % std::size(orte)])},
                          {"Land", QStringLiteral("Deutschland")}}))
                return fail(adr);
        }
        if (!adr.flush())
            return fail(adr);
        WawiInserter art(db_, QStringLiteral("Artikel"), o_.schema);
        for (int i = 0; i < artikel_; ++i) {
            const bool buch = i % 7 == 0;
            if (!art.add({{"Artikel", ersterArtikel + i}, {"Artikelnummer", QStringLiteral("BN-%1").arg(i, 5, 10, QLatin1Char('0'))},
                          {"Bezeichnung", QString::fromUtf8(waren[i % std::size(waren)]) + QStringLiteral(" Typ %1").arg(i)},
                          {"Warengruppe", buch ? 2 : 1 + (i % 2) * 3}, {"Umsatzsteuer", buch ? 2 : 1},
                          {"Verkaufskonto", i % 3 == 0 ? 8400 : 0}, {"VK", 1.0 + (i % 250) * 1.7},
                          {"EK", 0.6 + (i % 250) * 1.0}}))
                return fail(art);
        }
        if (!art.flush())
            return fail(art);
        e.adressen = adr.rowsWritten();
        e.artikel = art.rowsWritten();
        return true;
    }

    bool belege(BenchErgebnis& e, const std::function<void(qint64, qint64)>& progress)
    {
        std::mt19937 rnd(4711);
        WawiInserter auf(db_, QStringLiteral("Auftrag"), o_.schema, 250);
        WawiInserter pos(db_, QStringLiteral("Positionen"), o_.schema, 500);
        WawiInserter zah(db_, QStringLiteral("Zahlung"), o_.schema, 500);
        const QDate heute = QDate::currentDate();
        const QVariantList posLeer = pos.leereZeile();
        const int pAuftrag = pos.spalte(QStringLiteral("Auftrag"));
        const int pNr = pos.spalte(QStringLiteral("PosNr"));
        const int pArtikel = pos.spalte(QStringLiteral("Artikel"));
        const int pPreis = pos.spalte(QStringLiteral("Preis"));
        const int pAnzahl = pos.spalte(QStringLiteral("Anzahl"));
        const int pEinheit = pos.spalte(QStringLiteral("Preiseinheit"));
        for (int i = 0; i < o_.belege; ++i) {
            const int id = ersterAuftrag + i;
            const unsigned r = rnd();
            const int art = r % 100 < 80 ? 4 : r % 100 < 88 ? 7 : r % 100 < 98 ? 16 : 20;
            const bool einkauf = art == 16 || art == 20;
            // Every tenth address is a supplier.
            const int block = int(rnd() % unsigned(adressen_ / 10)) * 10;
            const int adresse = ersteAdresse + block + (einkauf ? 9 : int(rnd() % 9));
            const QString datum = heute.addDays(-int(rnd() % 365)).toString(Qt::ISODate);
            double betrag = 0;
            for (int p = 0; p < o_.positionen; ++p) {
                const int artikel = int(rnd() % unsigned(artikel_));
                const double preis = 1.0 + (artikel % 250) * 1.7;
                const double anzahl = 1 + rnd() % 12;
                betrag += round2(preis * anzahl);
                QVariantList row = posLeer;
                row[pAuftrag] = id;
                row[pNr] = p + 1;
                row[pArtikel] = ersterArtikel + artikel;
                row[pPreis] = preis;
                row[pAnzahl] = anzahl;
                row[pEinheit] = 1.0;
                if (!pos.addZeile(row))
                    return fail(pos);
            }
            betrag = round2(betrag);
            const unsigned zahlart = rnd() % 15;
            const bool direkt = zahlart < 5;
            double teil = 0;
            if (!direkt && zahlart < 8) {
                const int n = 1 + int(zahlart % 2);
                for (int z = 0; z < n; ++z) {
                    const double b = round2(betrag / 3);
                    teil += b;
                    if (!zah.add({{"Auftrag", id}, {"Datum", datum}, {"Betrag", b}, {"Konto", 0},
                                  {"Bemerkung", QStringLiteral("Teilzahlung")}}))
                        return fail(zah);
                }
            }
            const double bezahlt = direkt ? betrag : round2(teil);
            if (!auf.add({{"Auftrag", id}, {"Mandant", 1}, {"Art", art}, {"Adresse1", adresse},
                          {"Vorgangsnummer", QString::number(900000 + i)}, {"Vorgangsdatum", datum},
                          {"Buchdatum", datum}, {"Steuer", 1}, {"Betrag", betrag},
                          {"Bezahlt", bezahlt}, {"BezahlungDirekt", direkt ? betrag : 0.0},
                          {"Offen", round2(betrag - bezahlt)}, {"Zahlungsart", direkt ? 1 : 2},
                          {"Faktor", 1.0}, {"Gedruckt", 1}, {"Abgeschlossen", direkt ? 1 : 0},
                          {"L_Land", QStringLiteral("Deutschland")}}))
                return fail(auf);
            if (progress && (i + 1) % 1000 == 0)
                progress(i + 1, o_.belege);
        }
        if (!auf.flush() || !pos.flush() || !zah.flush())
            return fail(!auf.error().isEmpty() ? auf : !pos.error().isEmpty() ? pos : zah);
        e.auftraege = auf.rowsWritten();
        e.positionen = pos.rowsWritten();
        e.zahlungen = zah.rowsWritten();
        if (progress)
            progress(o_.belege, o_.belege);
        return true;
    }

    QSqlDatabase& db_;
    BenchOptions o_;
    int adressen_ = 10;
    int artikel_ = 500;
    QString error_;
};

}  // namespace

bool BenchGenerator::generate(QSqlDatabase& db, const BenchOptions& options, QString* error,
                              BenchErgebnis* ergebnis,
                              const std::function<void(qint64, qint64)>& progress)
{
    QString e;
    if (!WawiSchema::create(db, options.schema, &e) || !DemoDaten::fill(db, options.schema, &e)) {
        if (error)
            *error = e;
        return false;
    }
    if (WawiSchema::dialectOf(db) == WawiDialect::SQLite) {
        // A throw-away benchmark file: no journal sync needed while it is filled.
        QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous=OFF"));
    }
    WawiInserter::Transaktion tx(db);
    Generator g(db, options);
    BenchErgebnis local;
    if (!g.run(local, progress)) {
        if (error)
            *error = g.error();
        return false;
    }
    if (!tx.commit()) {
        if (error)
            *error = db.lastError().text();
        return false;
    }
    if (ergebnis)
        *ergebnis = local;
    return true;
}
