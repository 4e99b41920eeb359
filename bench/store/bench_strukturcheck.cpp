// Rebuild of a journal with 1,000,000 bookings by the structure check after the template
// gained a field. Target: at most 15 s.

#include "store/feedback.h"
#include "store/strukturcheck.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdio>

namespace {

constexpr int Buchungen = 1000000;

bool journalFuellen(const QString& datei)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(datei);
        ok = db.open();
        QSqlQuery q(db);
        // Keys 1 .. 1,100,000 with every eleventh deleted, and the last 10,000 deleted: gaps and
        // a counter above the largest key.
        const QString fuellen = QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO Buchungen (Buchungsnummer, Datum, Soll, Haben, Buchungstext, Brutto, Netto, USTBetrag,"
            " USTSollKonto, USTHabenKonto, MwSt, MwStPro, Export, PrgNr, Mandant, Auftrag, Adresse, ValutaDatum) "
            "SELECT i / 3, date('2020-01-01', '+' || (i % 1500) || ' days'), 10000 + i % 5000, 8400,"
            " 'Rechnung ' || i || ' Kunde ' || (10000 + i % 5000), round(119.0 + i % 1000, 2), 100.0 + i % 1000, 19.0,"
            " 0, 1776, 1, 0.19, i % 2, 3, 1, i / 3, i % 5000, date('2020-01-31', '+' || (i % 1500) || ' days') FROM n");
        ok = ok && q.exec(QStringLiteral("BEGIN"));
        ok = ok && q.exec(fuellen.arg(Buchungen + Buchungen / 10 + 10000));
        ok = ok && q.exec(QStringLiteral("DELETE FROM Buchungen WHERE BuchNr % 11 = 0"));
        ok = ok && q.exec(QStringLiteral("DELETE FROM Buchungen WHERE BuchNr > (SELECT MAX(BuchNr) - 10000 FROM Buchungen)"));
        ok = ok && q.exec(QStringLiteral("COMMIT"));
        if (!ok)
            std::fprintf(stderr, "journal: %s\n", qPrintable(q.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    return ok;
}

bool vorlageErweitern(const testsupport::TempProgramDir& dir)
{
    QFile ddl(dir.filePath(QStringLiteral("DateVdb/Buchungen.sql")));
    if (!ddl.open(QIODevice::ReadOnly))
        return false;
    QByteArray text = ddl.readAll();
    ddl.close();
    text.replace("  ValutaDatum DATE\n", "  ValutaDatum DATE,\n  Notiz VARCHAR(40)\n");
    QFile version(dir.filePath(QStringLiteral("DateVdb/version.xxl")));
    return ddl.open(QIODevice::WriteOnly | QIODevice::Truncate) && ddl.write(text) == text.size()
           && version.open(QIODevice::WriteOnly | QIODevice::Truncate) && version.write("SHOP_DBV=2\r\n") > 0;
}

// Prints the time of each step of the check to standard error.
class Schritte : public Feedback {
public:
    explicit Schritte(const QElapsedTimer& uhr) : uhr_(uhr) {}
    void setStatus(const QString& text) override
    {
        std::fprintf(stderr, "  %7.2f s  %s\n", uhr_.elapsed() / 1000.0, qPrintable(text));
    }

private:
    const QElapsedTimer& uhr_;
};

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    testsupport::TempProgramDir dir;
    if (!StrukturCheck(dir.path(), nullptr).Check_Version()
        || !journalFuellen(dir.filePath(QStringLiteral("DateVDaten/DateV.sqlite"))) || !vorlageErweitern(dir)) {
        std::fprintf(stderr, "bench_strukturcheck: set-up failed\n");
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    Schritte schritte(timer);
    StrukturCheck check(dir.path(), &schritte);
    const bool ok = check.Check_Version();
    const double sekunden = timer.elapsed() / 1000.0;
    std::printf("structure-check rebuild of a journal with %d bookings: %.2f s (target <= 15 s)%s\n", Buchungen,
                sekunden, ok ? "" : " FAILED");
    return ok && sekunden <= 15.0 ? 0 : 1;
}
