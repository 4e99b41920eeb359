// SetRange + iterating 10 rows through TQemTable against a raw Qt SQL SELECT of the same rows
// (the very statement texts the table sends) on MariaDB loopback, target: at most 1.5 times the
// raw figure; the statements the server receives per SetRange (its own counter "Questions",
// target exactly 1); and the statements a FindKey sends for a key already among the current rows
// (target: none).
//
// The machine is shared, so both sides are warmed up and then measured in alternating trials of
// a few dozen rounds; the figure is the median over the trials of the ratio of neighbouring
// trials, which both sides share the load of. Without FIBU_TEST_MARIADB the benchmark starts its
// own MariaDB server on 127.0.0.1 and stops it afterwards.
#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemtable.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlQuery>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kTrials = 41;
constexpr int kRounds = 40;   // SetRange calls per trial
constexpr int kClients = 10;  // Mandant 0..9, 10 rows each in the range

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Statements the server received on this session so far (the query itself counts as one).
qint64 questions(TQemConnection& conn)
{
    QSqlQuery q(conn.Database());
    q.exec(QStringLiteral("SHOW SESSION STATUS LIKE 'Questions'"));
    return q.next() ? q.value(1).toLongLong() : -1;
}

class Bench {
public:
    explicit Bench(TQemConnection& conn) : conn_(conn), raw_(conn.Database())
    {
        raw_.setForwardOnly(true);
        table_.SetConnection(&conn);
        table_.SetTableName(QStringLiteral("Auftrag.DB"));
        table_.SetIndexName(QStringLiteral("was"));
        for (int m = 0; m < kClients; ++m) {
            setRange(m);
            statements_ << table_.Debug_CommandText;
        }
    }

    void setRange(int m) { table_.SetRange({m, m}, {m, m + 90}); }

    // One trial of the table: SetRange and reading the name of every row.
    double tableTrial()
    {
        QElapsedTimer timer;
        timer.start();
        for (int r = 0; r < kRounds; ++r) {
            setRange(r % kClients);
            for (table_.First(); !table_.Eof(); table_.Next())
                sink_ += table_.FieldByName(QStringLiteral("Name"))->AsString().size();
        }
        return timer.nsecsElapsed() / 1e6 / kRounds;
    }

    // The same rows by Qt SQL alone: the same statement, values by column position.
    double rawTrial()
    {
        QElapsedTimer timer;
        timer.start();
        for (int r = 0; r < kRounds; ++r) {
            raw_.exec(statements_.at(r % kClients));
            while (raw_.next())
                sink_ += raw_.value(3).toString().size();
        }
        return timer.nsecsElapsed() / 1e6 / kRounds;
    }

    int statementsPerSetRange()
    {
        constexpr int n = 50;
        const qint64 first = questions(conn_);
        const qint64 before = questions(conn_);
        const qint64 idle = before - first;  // the counting query itself
        for (int r = 0; r < n; ++r)
            setRange(r % kClients);
        const qint64 sent = questions(conn_) - before - idle;
        return int((sent + n / 2) / n);
    }

    int findKeyStatements()
    {
        int statements = 0;
        conn_.OnStatement = [&](const QString&) { ++statements; };
        const auto key = [this] {
            return QVariantList{table_.FieldByName(QStringLiteral("Mandant"))->AsInteger(),
                                table_.FieldByName(QStringLiteral("Art"))->AsInteger()};
        };
        table_.Last();
        const qint64 before = questions(conn_);
        table_.FindKey(key());
        table_.First();
        table_.FindKey(key());
        const qint64 server = questions(conn_) - before - 1;
        conn_.OnStatement = nullptr;
        return std::max<int>(statements, int(server));
    }

    const QString& firstStatement() const { return statements_.first(); }
    qint64 sink() const { return sink_; }

private:
    TQemConnection& conn_;
    QSqlQuery raw_;
    TQemTable table_;
    QStringList statements_;
    qint64 sink_ = 0;
};

int run()
{
    testsupport::TestMariaDb maria(QStringLiteral("benchtab"));
    TQemConnection conn;
    conn.SetConnectionString(maria.connectionString());
    conn.Open();
    conn.ExecSQL(QStringLiteral("CREATE TABLE Auftrag (ID INT NOT NULL AUTO_INCREMENT PRIMARY KEY, Mandant INT, Art INT, "
                                "Name VARCHAR(40), Qem_dummy TEXT)"));
    conn.ExecSQL(QStringLiteral("CREATE INDEX was ON Auftrag (Mandant, Art)"));
    QStringList values;
    for (int i = 0; i < 2000; ++i)
        values << QStringLiteral("(%1,%2,'Name %2')").arg(i % kClients).arg(i);
    conn.ExecSQL(QStringLiteral("INSERT INTO Auftrag (Mandant,Art,Name) VALUES ") + values.join(QLatin1Char(',')));

    Bench bench(conn);
    for (int w = 0; w < 5; ++w) {
        bench.rawTrial();
        bench.tableTrial();
    }
    std::vector<double> raw, table, ratio;
    for (int t = 0; t < kTrials; ++t) {
        // Alternating order, so that neither side always runs on the warmer cache.
        double r, q;
        if (t % 2 == 0) {
            r = bench.rawTrial();
            q = bench.tableTrial();
        } else {
            q = bench.tableTrial();
            r = bench.rawTrial();
        }
        raw.push_back(r);
        table.push_back(q);
        ratio.push_back(q / r);
    }
    const double factor = median(ratio);
    const int perRange = bench.statementsPerSetRange();
    const int findKey = bench.findKeyStatements();
    std::printf("Anweisung: %s\n", qPrintable(bench.firstStatement()));
    std::printf("SetRange + 10 Zeilen (Median aus %d x %d): TQemTable %.3f ms, Qt SQL %.3f ms, Faktor %.2f "
                "(Ziel <= 1,5) -> %s\n",
                kTrials, kRounds, median(table), median(raw), factor, factor <= 1.5 ? "ok" : "ZU LANGSAM");
    std::printf("Anweisungen je SetRange am Server: %d (Ziel 1) -> %s\n", perRange, perRange == 1 ? "ok" : "FEHLER");
    std::printf("FindKey auf vorhandene Zeilen: %d Anweisungen (Ziel 0) -> %s\n", findKey, findKey == 0 ? "ok" : "FEHLER");
    return factor <= 1.5 && perRange == 1 && findKey == 0 && bench.sink() > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString script = testsupport::sourceDir() + QStringLiteral("/scripts/mariadb-test-server.sh");
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/mariadb-bench-table");
    const QString port = QString::number(30000 + QCoreApplication::applicationPid() % 20000);
    bool own = false;
    if (!testsupport::TestMariaDb::available()) {
        own = QProcess::execute(QStringLiteral("bash"), {script, QStringLiteral("start"), dir, port}) == 0;
        if (own)
            qputenv("FIBU_TEST_MARIADB", QByteArray("127.0.0.1:") + port.toLatin1());
    }
    int rc = 0;
    if (!testsupport::TestMariaDb::available())
        std::printf("MariaDB  kein Testserver verfügbar\n");
    else
        rc = run();
    if (own)
        QProcess::execute(QStringLiteral("bash"), {script, QStringLiteral("stop"), dir, port});
    return rc;
}
