// Revenue import of about 10,000 printed documents with 5 positions each from MariaDB over
// loopback into a fresh local journal (targets: at least 1000 documents per second, at most 6
// statements to the server per document). Prints documents per second, statements per document
// and the time split server / local journal / own code. Without FIBU_TEST_MARIADB the benchmark
// starts its own MariaDB server on 127.0.0.1 and stops it afterwards.
//   bench_import [documents] [positions]
#include "../../tests/import/importwelt.h"

#include "dataaccess/benchgenerator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <cstdio>

namespace {

// A private MariaDB server for the run when CTest's fixture is not around.
class OwnServer {
public:
    OwnServer()
    {
        if (testsupport::TestMariaDb::available())
            return;
        script_ = testsupport::sourceDir() + QStringLiteral("/scripts/mariadb-test-server.sh");
        port_ = QString::number(30000 + QCoreApplication::applicationPid() % 20000);
        started_ = QProcess::execute(QStringLiteral("bash"), {script_, QStringLiteral("start"), dir_, port_}) == 0;
        if (started_)
            qputenv("FIBU_TEST_MARIADB", QByteArray("127.0.0.1:") + port_.toLatin1());
    }
    ~OwnServer()
    {
        if (started_)
            QProcess::execute(QStringLiteral("bash"), {script_, QStringLiteral("stop"), dir_, port_});
    }

private:
    QString dir_ = QCoreApplication::applicationDirPath() + QStringLiteral("/mariadb-bench-import");
    QString script_;
    QString port_;
    bool started_ = false;
};

double sekunden(qint64 ns)
{
    return double(ns) / 1e9;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The generator writes 88 % sales documents (invoices and credit notes): about 10,000 of
    // them for the default.
    BenchOptions o;
    o.belege = argc > 1 ? QByteArray(argv[1]).toInt() : 11400;
    o.positionen = argc > 2 ? QByteArray(argv[2]).toInt() : 5;

    OwnServer eigenerServer;
    if (!testsupport::TestMariaDb::available()) {
        std::printf("bench_import: kein MariaDB-Testserver verfügbar\n");
        return 1;
    }
    importwelt::Welt welt(importwelt::Dialekt::MariaDB);
    if (!welt.bereit()) {
        std::printf("bench_import: %s\n", qPrintable(welt.fehler()));
        return 1;
    }
    QSqlDatabase db = welt.wawi();
    QString fehler;
    if (!BenchGenerator::generate(db, o, &fehler)) {
        std::printf("bench_import: Generator: %s\n", qPrintable(fehler));
        return 1;
    }

    using namespace fibuimport;
    const QDate heute = QDate::currentDate();
    ImportOptionen optionen;
    optionen.bezahlungen = false;  // the settlement postings book nothing yet
    importwelt::Recorder fb;
    ImportLauf lauf(welt.verbindung, welt.journal(), importwelt::demoKontext(ImportModus::Erloese), optionen,
                    PersonenkontoOptionen{});
    lauf.setZeitraum(heute.addDays(-400), heute);
    lauf.setOhnePosMod(false);
    const ImportLauf::Ergebnis e = lauf.ausfuehren(fb);
    const ImportZaehler& z = lauf.zaehler();
    if (e != ImportLauf::Ergebnis::Ausgefuehrt || lauf.fehler()) {
        std::printf("bench_import: Lauf fehlgeschlagen (%d): %s\n", int(e), qPrintable(fb.lines.join(QLatin1Char('\n'))));
        return 1;
    }

    const double gesamt = sekunden(z.gesamtZeitNs);
    const double proSekunde = gesamt > 0 ? z.gebucht / gesamt : 0;
    const double anweisungen = z.gebucht > 0 ? double(z.wawiAnweisungen) / z.gebucht : 0;
    const double server = sekunden(z.wawiZeitNs);
    const double journal = sekunden(z.journalZeitNs);
    std::printf("Erlösimport MariaDB: %d Vorgänge gelesen, %d gebucht (%d Buchungen) in %.2f s\n", z.vorgaenge,
                z.gebucht, z.buchungen, gesamt);
    std::printf("  %.0f Vorgänge/s (Ziel >= 1000) -> %s\n", proSekunde, proSekunde >= 1000 ? "ok" : "ZU LANGSAM");
    std::printf("  %.2f Anweisungen an den Server je Vorgang (%lld insgesamt, Ziel <= 6) -> %s\n", anweisungen,
                static_cast<long long>(z.wawiAnweisungen), anweisungen <= 6 ? "ok" : "ZU VIELE");
    std::printf("  Zeit: Server %.2f s (%.0f %%), lokales Journal %.2f s (%.0f %%, %lld Anweisungen), eigener Code %.2f s (%.0f %%)\n",
                server, 100 * server / gesamt, journal, 100 * journal / gesamt,
                static_cast<long long>(z.journalAnweisungen), gesamt - server - journal,
                100 * (gesamt - server - journal) / gesamt);
    std::fflush(stdout);
    return 0;
}
