// Cost of the dataset layer over plain Qt SQL:
//   1. opening a 100,000-row result into the client cursor, against Qt SQL fetching the same rows
//      (MariaDB and SQLite); target at most 2x;
//   2. a query round trip (open, read, close of a one-row SELECT) on MariaDB over loopback,
//      against the same statement through Qt SQL; target at most 1.5x.
// MariaDB: the server named by FIBU_TEST_MARIADB (host:port), else one started for the run with
// scripts/mariadb-test-server.sh in a temporary directory on 127.0.0.1 (port FIBU_BENCH_MARIADB_PORT,
// default 23406) and stopped afterwards.

#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemquery.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

constexpr int rowCount = 100000;
constexpr int roundTrips = 2000;

double bestOf(int runs, const std::function<void()>& work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

bool fill(QSqlDatabase db, bool mysql)
{
    QSqlQuery q(db);
    const QString create = mysql
        ? QStringLiteral("CREATE TABLE Bench (ID INT NOT NULL PRIMARY KEY, Name VARCHAR(40), Ort VARCHAR(40), Betrag DOUBLE,"
                         " Datum DATE, Konto INT, Aktiv TINYINT(1), Text VARCHAR(60))")
        : QStringLiteral("CREATE TABLE Bench (ID INTEGER PRIMARY KEY, Name VARCHAR(40), Ort VARCHAR(40), Betrag REAL,"
                         " Datum DATE, Konto INTEGER, Aktiv BOOLEAN, Text VARCHAR(60))");
    if (!q.exec(create))
        return false;
    db.transaction();
    for (int block = 0; block < rowCount / 1000; ++block) {
        QStringList values;
        for (int i = block * 1000; i < (block + 1) * 1000; ++i)
            values << QStringLiteral("(%1,'Kunde %1','Ort %2',%3,'2024-%4-%5',%6,%7,'Buchungstext Nummer %1')")
                          .arg(i).arg(i % 97).arg(i * 1.25).arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                          .arg(1 + i % 28, 2, 10, QLatin1Char('0')).arg(8400 + i % 50).arg(i % 2);
        if (!q.exec(QStringLiteral("INSERT INTO Bench VALUES ") + values.join(QLatin1Char(','))))
            return false;
    }
    return db.commit();
}

qint64 rawFetch(QSqlDatabase db, const QString& sql)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.exec(sql);
    qint64 n = 0;
    const int columns = q.record().count();
    while (q.next()) {
        for (int i = 0; i < columns; ++i)
            n += q.value(i).isNull() ? 0 : 1;
    }
    return n;
}

void compareOpen(const char* label, TQemConnection& conn)
{
    const QString sql = QStringLiteral("SELECT * FROM Bench ORDER BY ID");
    qint64 sink = 0;
    const double raw = bestOf(3, [&] { sink += rawFetch(conn.Database(), sql); });
    TQemQuery query;
    query.SetConnection(&conn);
    query.SetSQL(sql);
    const double layer = bestOf(3, [&] {
        query.Close();
        query.Open();
        sink += query.RecordCount();
    });
    std::printf("%s: open of %d rows: Qt SQL %.1f ms, TQemQuery %.1f ms, ratio %.2f (target <= 2.0)%s\n", label, rowCount, raw,
                layer, layer / raw, sink == 0 ? " !" : "");
}

void compareRoundTrip(TQemConnection& conn)
{
    qint64 sink = 0;
    const double raw = bestOf(3, [&] {
        for (int i = 0; i < roundTrips; ++i) {
            QSqlQuery q(conn.Database());
            q.setForwardOnly(true);
            q.exec(QStringLiteral("SELECT * FROM Bench WHERE ID=%1").arg(i * 37 % rowCount));
            if (q.next())
                sink += q.value(1).toString().size();
        }
    });
    TQemQuery query;
    query.SetConnection(&conn);
    const double layer = bestOf(3, [&] {
        for (int i = 0; i < roundTrips; ++i) {
            query.SetSQL(QStringLiteral("SELECT * FROM Bench WHERE ID=%1").arg(i * 37 % rowCount));
            query.Open();
            sink += query.FieldByName(QStringLiteral("Name"))->AsString().size();
            query.Close();
        }
    });
    std::printf("MariaDB: %d round trips: Qt SQL %.1f ms (%.1f us each), TQemQuery %.1f ms (%.1f us each), ratio %.2f (target <= 1.5)%s\n",
                roundTrips, raw, raw * 1000 / roundTrips, layer, layer * 1000 / roundTrips, layer / raw, sink == 0 ? " !" : "");
}

void benchMariaDb()
{
    QTemporaryDir serverDir;
    QString script;
    QString port = qEnvironmentVariable("FIBU_BENCH_MARIADB_PORT", QStringLiteral("23406"));
    const bool own = !testsupport::TestMariaDb::available();
    if (own) {
        script = testsupport::sourceDir() + QStringLiteral("/scripts/mariadb-test-server.sh");
        if (QProcess::execute(QStringLiteral("bash"), {script, QStringLiteral("start"), serverDir.path(), port}) != 0) {
            std::printf("MariaDB: test server could not be started, skipped\n");
            return;
        }
        qputenv("FIBU_TEST_MARIADB", QByteArray("127.0.0.1:") + port.toLatin1());
    }
    {
        testsupport::TestMariaDb db(QStringLiteral("bench"));
        if (!db.isValid() || !fill(db.raw(), true)) {
            std::printf("MariaDB: no database (%s), skipped\n", qPrintable(db.errorText()));
        } else {
            TQemConnection conn;
            conn.SetConnectionString(db.connectionString());
            conn.Open();
            compareOpen("MariaDB", conn);
            compareRoundTrip(conn);
        }
    }
    if (own) {
        QProcess::execute(QStringLiteral("bash"), {script, QStringLiteral("stop"), serverDir.path(), port});
        qunsetenv("FIBU_TEST_MARIADB");
    }
}

void benchSqlite()
{
    QTemporaryDir dir;
    TQemConnection conn;
    conn.SetConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + dir.filePath(QStringLiteral("bench.sqlite")));
    conn.Open();
    if (!fill(conn.Database(), false)) {
        std::printf("SQLite: could not fill the table, skipped\n");
        return;
    }
    compareOpen("SQLite", conn);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchSqlite();
    if (qEnvironmentVariableIsEmpty("FIBU_BENCH_SQLITE_ONLY"))
        benchMariaDb();
    return 0;
}
