// Speed of the exports on a large journal:
//   EXTF booking batch of 1,000,000 bookings referring to 250,000 orders in MariaDB, with the
//   export marks (target: at most 10 s), and the plain text export of the same journal
//   (target: at most 5 s). The journal is the shipped template on SQLite. Without
//   FIBU_TEST_MARIADB the benchmark starts its own MariaDB server on 127.0.0.1.
//   Each export runs three times on the same data (marks reset in between); the EXTF runs also
//   print the time per phase of the booking loop.
//   bench_export [bookings] [orders] [runs]

#include "dataaccess/tqemconnection.h"
#include "dataaccess/wawischema.h"
#include "export/ascexport.h"
#include "export/extfexport.h"
#include "export/wawinachschlag.h"
#include "store/feedback.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

namespace {

// A private MariaDB server for the run when CTest's fixture is not around.
class OwnServer {
public:
    OwnServer()
    {
        if (testsupport::TestMariaDb::available())
            return;
        script_ = testsupport::sourceDir() + QStringLiteral("/scripts/mariadb-test-server.sh");
        port_ = QString::number(30000 + (QCoreApplication::applicationPid() + 7) % 20000);
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
    QString dir_ = QCoreApplication::applicationDirPath() + QStringLiteral("/mariadb-bench-export");
    QString script_;
    QString port_;
    bool started_ = false;
};

bool exec(QSqlQuery& q, const QString& sql)
{
    if (q.exec(sql))
        return true;
    std::printf("Fehler: %s\n%s\n", qPrintable(q.lastError().text()), qPrintable(sql.left(200)));
    return false;
}

// The journal from the shipped template, filled with bookings of 2024, four per order.
bool journalFuellen(QSqlDatabase& db, int buchungen, int auftraege)
{
    QFile ddl(testsupport::sourceDir() + QStringLiteral("/resources/DateVdb/Buchungen.sql"));
    if (!ddl.open(QIODevice::ReadOnly)) {
        std::printf("Vorlage Buchungen.sql fehlt\n");
        return false;
    }
    QSqlQuery q(db);
    exec(q, QStringLiteral("PRAGMA synchronous=OFF"));
    QString text;
    for (const QString& line : QString::fromUtf8(ddl.readAll()).split(QLatin1Char('\n')))
        if (!line.trimmed().startsWith(QLatin1String("--")))
            text += line + QLatin1Char('\n');
    for (const QString& statement : text.split(QLatin1Char(';')))
        if (!statement.trimmed().isEmpty() && !exec(q, statement))
            return false;
    db.transaction();
    q.prepare(QStringLiteral("INSERT INTO Buchungen (Buchungsnummer, Datum, Soll, Haben, Buchungstext, Brutto, Netto, "
                             "USTBetrag, Export, PrgNr, Mandant, Auftrag, Kostenstelle1) VALUES (?,?,?,?,?,?,?,?,0,3,1,?,?)"));
    const QDate start(2024, 1, 1);
    for (int i = 0; i < buchungen; ++i) {
        const int auftrag = 1 + (i / 4) % auftraege;
        const double brutto = (i % 7 == 0) ? 0.0 : 10.0 + (i % 1000) * 1.19;
        q.addBindValue(10000 + i / 4);
        q.addBindValue(start.addDays((i * 366LL) / buchungen));
        q.addBindValue(i % 4 == 0 ? 10000 + auftrag % 5000 : 1200);
        q.addBindValue(i % 4 == 0 ? 8400 : 10000 + auftrag % 5000);
        q.addBindValue(QStringLiteral("RE %1 Kunde \"%2\"").arg(auftrag).arg(auftrag % 5000));
        q.addBindValue(brutto);
        q.addBindValue(brutto / 1.19);
        q.addBindValue(brutto - brutto / 1.19);
        q.addBindValue(auftrag);
        q.addBindValue(i % 3 == 0 ? QVariant(17) : QVariant());
        if (!q.exec()) {
            std::printf("Fehler: %s\n", qPrintable(q.lastError().text()));
            return false;
        }
    }
    return db.commit();
}

bool auftraegeFuellen(QSqlDatabase db, int auftraege)
{
    QString error;
    WawiSchemaOptions schema;
    schema.nurTabellen = {QStringLiteral("Auftrag"), QStringLiteral("Adressen")};
    if (!WawiSchema::create(db, schema, &error)) {
        std::printf("Fehler: %s\n", qPrintable(error));
        return false;
    }
    QSqlQuery q(db);
    db.transaction();
    for (int start = 1; start <= auftraege; start += 1000) {
        QStringList rows;
        for (int a = start; a < start + 1000 && a <= auftraege; ++a)
            rows << QStringLiteral("(%1,1,4,%2,'%1','AN%1','S%3','2024-03-01',%4,10,14,%5,%6)")
                        .arg(a).arg(1 + a % 5000).arg(a % 97).arg(a % 20 == 0 ? 3 : 0)
                        .arg(a % 10 == 0 ? QStringLiteral("1.1") : QStringLiteral("1")).arg(a % 2);
        if (!exec(q, QStringLiteral("INSERT INTO Auftrag (Auftrag, Mandant, Art, Adresse1, Vorgangsnummer, Auftragsnummer, "
                                    "ShopID, Vorgangsdatum, Steuer, Tage1, Tage3, Faktor, Abgeschlossen) VALUES ")
                              + rows.join(QLatin1Char(','))))
            return false;
    }
    QStringList rows;
    for (int a = 1; a <= 5000; ++a)
        rows << QStringLiteral("(%1,1,1,'K%1','Kunde %1','ATU%1',%2)").arg(a).arg(10000 + a);
    if (!exec(q, QStringLiteral("INSERT INTO Adressen (Adresse, Mandant, Art, Nummer, SUCHBEGRIFF, EGID, FibuKontonummer) VALUES ")
                     + rows.join(QLatin1Char(','))))
        return false;
    return db.commit();
}

// CPU time of this process (user + system) in ms: the machine is shared, so the wall time
// alone says little about the export's own cost (the MariaDB server's time is not in it).
qint64 cpuMs()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return (r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1000LL + (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1000;
}

void zeigen(const char* was, qint64 ms, qint64 cpu, qint64 ziel, const QString& datei)
{
    std::printf("%-40s %7lld ms, CPU %6lld ms (Ziel %lld ms, %lld Bytes) -> %s\n", was, static_cast<long long>(ms),
                static_cast<long long>(cpu), static_cast<long long>(ziel),
                static_cast<long long>(QFileInfo(datei).size()), ms <= ziel ? "erreicht" : "ZU LANGSAM");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int buchungen = argc > 1 ? QByteArray(argv[1]).toInt() : 1000000;
    const int auftraege = argc > 2 ? QByteArray(argv[2]).toInt() : 250000;
    const int laeufe = argc > 3 ? QByteArray(argv[3]).toInt() : 3;

    OwnServer server;
    if (!testsupport::TestMariaDb::available()) {
        std::printf("MariaDB  kein Testserver verfügbar\n");
        return 1;
    }
    testsupport::TestMariaDb maria(QStringLiteral("benchexport"));
    if (!maria.isValid()) {
        std::printf("MariaDB  %s\n", qPrintable(maria.errorText()));
        return 1;
    }
    QTemporaryDir dir;
    int rc = 0;
    {
        QSqlDatabase journal = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("DateVBench"));
        journal.setDatabaseName(dir.filePath(QStringLiteral("DateV.sqlite")));
        QElapsedTimer t;
        t.start();
        if (!journal.open() || !journalFuellen(journal, buchungen, auftraege) || !auftraegeFuellen(maria.raw(), auftraege))
            return 1;
        std::printf("Daten angelegt: %d Buchungen, %d Aufträge (%lld ms)\n", buchungen, auftraege,
                    static_cast<long long>(t.elapsed()));

        TQemConnection conn;
        conn.AttachDatabase(maria.databaseName());
        ExportOptionen o;
        o.von = QDate(2024, 1, 1);
        o.bis = QDate(2024, 12, 31);
        o.verzeichnis = dir.path();
        o.unbeaufsichtigt = true;
        Feedback feedback;
        for (int lauf = 1; lauf <= laeufe; ++lauf) {
            QSqlQuery reset(journal);
            reset.exec(QStringLiteral("UPDATE Buchungen SET Export=0"));
            WaWiNachschlag wawi(conn);
            ExtfExport run(journal, wawi, o, feedback);
            t.restart();
            const qint64 cpu = cpuMs();
            const bool ok = run.DateV_EXTF_Export();
            zeigen(qPrintable(QStringLiteral("EXTF-Buchungsstapel mit Exportmarken #%1").arg(lauf)), t.elapsed(),
                   cpuMs() - cpu, 10000, dir.filePath(kDateiBuchungen));
            const ExtfPhasen& p = run.phasen();
            std::printf("  Phasen: lesen %lld ms, Aufträge %lld ms, Zeilen %lld ms, Marken %lld ms\n",
                        p.lesen / 1000000, p.auftraege / 1000000, p.zeilen / 1000000, p.marken / 1000000);
            QSqlQuery q(journal);
            q.exec(QStringLiteral("SELECT COUNT(*) FROM Buchungen WHERE Export=1"));
            q.next();
            std::printf("  markiert: %lld von %d%s\n", q.value(0).toLongLong(), buchungen, ok ? "" : " (FEHLER)");
            if (!ok || q.value(0).toLongLong() != buchungen)
                rc = 1;
        }
        for (int lauf = 1; lauf <= laeufe; ++lauf) {
            AscExport run(journal, o, feedback);
            t.restart();
            const qint64 cpu = cpuMs();
            const QString datei = dir.filePath(QStringLiteral("buchungen.txt"));
            run.ASC_Export(datei, QStringLiteral(";"));
            zeigen(qPrintable(QStringLiteral("ASCII-Export #%1").arg(lauf)), t.elapsed(), cpuMs() - cpu, 5000, datei);
        }
        journal.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("DateVBench"));
    return rc;
}
