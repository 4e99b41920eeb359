// Time to write a benchmark database of 100,000 documents with 5 positions each
// (target: under a minute), on SQLite and on MariaDB. Without FIBU_TEST_MARIADB the benchmark
// starts its own MariaDB server on 127.0.0.1 and stops it afterwards.
//   bench_demodb [documents] [positions]
#include "dataaccess/benchgenerator.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

void report(const char* dialect, const BenchOptions& o, qint64 ms, const BenchErgebnis& e)
{
    std::printf("%-8s %d Vorgänge x %d Positionen: %lld ms (%lld Positionen, %lld Zahlungen) -> %s\n",
                dialect, o.belege, o.positionen, static_cast<long long>(ms),
                static_cast<long long>(e.positionen), static_cast<long long>(e.zahlungen),
                ms < 60000 ? "unter einer Minute" : "ZU LANGSAM");
    std::fflush(stdout);
}

bool run(const char* dialect, QSqlDatabase db, const BenchOptions& o)
{
    QElapsedTimer t;
    t.start();
    QString error;
    BenchErgebnis e;
    if (!BenchGenerator::generate(db, o, &error, &e)) {
        std::printf("%-8s Fehler: %s\n", dialect, qPrintable(error));
        return false;
    }
    report(dialect, o, t.elapsed(), e);
    return true;
}

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
    // Kept beside the benchmark, so the next run starts without initialising a data directory.
    QString dir_ = QCoreApplication::applicationDirPath() + QStringLiteral("/mariadb-bench");
    QString script_;
    QString port_;
    bool started_ = false;
};

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    BenchOptions o;
    o.belege = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;
    o.positionen = argc > 2 ? QByteArray(argv[2]).toInt() : 5;
    bool ok = true;
    {
        QTemporaryDir dir;
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(dir.filePath(QStringLiteral("bench.sqlite")));
        ok = db.open() && run("SQLite", db, o) && ok;
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));

    OwnServer server;
    if (!testsupport::TestMariaDb::available()) {
        std::printf("MariaDB  kein Testserver verfügbar\n");
        return ok ? 0 : 1;
    }
    testsupport::TestMariaDb maria(QStringLiteral("bench"));
    if (!maria.isValid()) {
        std::printf("MariaDB  %s\n", qPrintable(maria.errorText()));
        return 1;
    }
    ok = run("MariaDB", maria.raw(), o) && ok;
    return ok ? 0 : 1;
}
