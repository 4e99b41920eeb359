// SetRange + iterating 10 rows through TQemTable against a raw Qt SQL SELECT of the same rows
// on MariaDB loopback (target: at most 1.5 times the raw figure), and the statements a FindKey
// sends for a key already among the current rows (target: none). Without FIBU_TEST_MARIADB the
// benchmark starts its own MariaDB server on 127.0.0.1 and stops it afterwards.
#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemtable.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlQuery>

#include <cstdio>

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
    if (!testsupport::TestMariaDb::available()) {
        std::printf("MariaDB  kein Testserver verfügbar\n");
    } else {
        testsupport::TestMariaDb maria(QStringLiteral("benchtab"));
        TQemConnection conn;
        conn.SetConnectionString(maria.connectionString());
        conn.Open();
        conn.ExecSQL(QStringLiteral("CREATE TABLE Auftrag (ID INT NOT NULL AUTO_INCREMENT PRIMARY KEY, Mandant INT, Art INT, Name VARCHAR(40), Qem_dummy TEXT)"));
        conn.ExecSQL(QStringLiteral("CREATE INDEX was ON Auftrag (Mandant, Art)"));
        for (int i = 0; i < 2000; ++i)
            conn.ExecSQL(QStringLiteral("INSERT INTO Auftrag (Mandant,Art,Name) VALUES (%1,%2,'Name %2')").arg(i % 10).arg(i));
        const int rounds = 300;
        QElapsedTimer timer;
        timer.start();
        {
            QSqlQuery q(conn.Database());
            for (int r = 0; r < rounds; ++r) {
                const int m = r % 10;
                q.exec(QStringLiteral("SELECT * FROM Auftrag WHERE Mandant=%1 AND Art BETWEEN %2 AND %3 ORDER BY Mandant, Art")
                           .arg(m).arg(m).arg(m + 90));
                while (q.next())
                    q.value(3).toString();
            }
        }
        const double raw = timer.nsecsElapsed() / 1e6 / rounds;
        TQemTable t;
        t.SetConnection(&conn);
        t.SetTableName(QStringLiteral("Auftrag.DB"));
        t.SetIndexName(QStringLiteral("was"));
        t.IndexDefs();
        timer.restart();
        for (int r = 0; r < rounds; ++r) {
            const int m = r % 10;
            t.SetRange({m, m}, {m, m + 90});
            for (t.First(); !t.Eof(); t.Next())
                t.FieldByName(QStringLiteral("Name"))->AsString();
        }
        const double table = timer.nsecsElapsed() / 1e6 / rounds;
        int statements = 0;
        conn.OnStatement = [&](const QString&) { ++statements; };
        t.FindKey({t.FieldByName(QStringLiteral("Mandant"))->AsInteger(), t.FieldByName(QStringLiteral("Art"))->AsInteger()});
        t.First();
        t.FindKey({t.FieldByName(QStringLiteral("Mandant"))->AsInteger(), t.FieldByName(QStringLiteral("Art"))->AsInteger()});
        std::printf("SetRange + 10 Zeilen: TQemTable %.3f ms, Qt SQL %.3f ms, Faktor %.2f (Ziel <= 1,5) -> %s\n", table, raw,
                    table / raw, table <= 1.5 * raw ? "ok" : "ZU LANGSAM");
        std::printf("FindKey auf vorhandene Zeilen: %d Anweisungen (Ziel 0) -> %s\n", statements, statements == 0 ? "ok" : "FEHLER");
        rc = (table <= 1.5 * raw && statements == 0) ? 0 : 1;
    }
    if (own)
        QProcess::execute(QStringLiteral("bash"), {script, QStringLiteral("stop"), dir, port});
    return rc;
}
