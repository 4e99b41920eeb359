#include "../grid/journalfixture.h"
#include "scriptedfeedback.h"
#include "testsupport.h"

#include "dataaccess/demodaten.h"
#include "dataaccess/tqemconnection.h"
#include "dataaccess/wawischema.h"
#include "shell/tfm_buchunglogic.h"
#include "shell/tfm_buchungwawi.h"
#include "store/registry.h"

#include <QtTest>

// Deleting one booking of a three-booking transaction with take-back, against the demo
// merchandise database on SQLite and on MariaDB: the other bookings go, the source's marks
// are cleared (document with its payments, or the cash-book entry).
class TstJournalTakeBack : public QObject {
    Q_OBJECT
private slots:
    void takeBack_data();
    void takeBack();
};

namespace {

// The demo merchandise database on one dialect, connected through TQemConnection.
struct DemoWaWi {
    explicit DemoWaWi(bool mariaDb)
    {
        if (mariaDb) {
            maria = std::make_unique<testsupport::TestMariaDb>(QStringLiteral("journal"));
            if (!maria->isValid()) {
                error = maria->errorText();
                return;
            }
            raw = maria->raw();
            connectionString = maria->connectionString();
        } else {
            raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("demo_wawi"));
            raw.setDatabaseName(dir.filePath(QStringLiteral("wawi.sqlite")));
            raw.open();
            connectionString = WawiSchema::sqliteConnectionString(dir.filePath(QStringLiteral("wawi.sqlite")));
        }
        if (!WawiSchema::create(raw, {}, &error) || !DemoDaten::fill(raw, {}, &error))
            return;
        connection.SetConnectionString(connectionString);
        connection.Open();
        ready = true;
    }
    ~DemoWaWi()
    {
        connection.Close();
        if (!maria) {
            raw.close();
            raw = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("demo_wawi"));
        }
    }
    QVariant value(const QString& sql) const
    {
        QSqlQuery q(raw);
        return q.exec(sql) && q.next() ? q.value(0) : QVariant();
    }
    void exec(const QString& sql) const
    {
        QSqlQuery q(raw);
        QVERIFY2(q.exec(sql), qPrintable(q.lastError().text() + QStringLiteral(": ") + sql));
    }

    QTemporaryDir dir;
    std::unique_ptr<testsupport::TestMariaDb> maria;
    QSqlDatabase raw;
    QString connectionString;
    TQemConnection connection;
    QString error;
    bool ready = false;
};

}  // namespace

void TstJournalTakeBack::takeBack_data()
{
    QTest::addColumn<bool>("mariaDb");
    QTest::addColumn<bool>("cashBook");
    QTest::newRow("sqlite-invoice") << false << false;
    QTest::newRow("sqlite-cash-book") << false << true;
    QTest::newRow("mariadb-invoice") << true << false;
    QTest::newRow("mariadb-cash-book") << true << true;
}

void TstJournalTakeBack::takeBack()
{
    QFETCH(bool, mariaDb);
    QFETCH(bool, cashBook);
    if (mariaDb && !testsupport::TestMariaDb::available())
        QSKIP("no test MariaDB server (run under CTest)");
    testsupport::TempProgramDir program;
    DemoWaWi wawi(mariaDb);
    QVERIFY2(wawi.ready, qPrintable(wawi.error));

    int source = 0;
    if (cashBook) {
        source = wawi.value(QStringLiteral("SELECT MIN(Eintrag) FROM Kassenbuch")).toInt();
        wawi.exec(QStringLiteral("UPDATE Kassenbuch SET Fibu=1 WHERE Eintrag=%1").arg(source));
        EinstellungSchreiben(QStringLiteral("Verzeichnis"), QStringLiteral("Kassenbuch_Imp"),
                             QStringLiteral("C:\\Qem\\Daten\\Kassenbuch.DB"));
    } else {
        // An invoice with payments, marked as transferred with its payments.
        source = wawi.value(QStringLiteral("SELECT MIN(Auftrag) FROM Zahlung")).toInt();
        wawi.exec(QStringLiteral("UPDATE Auftrag SET FibuBuchung1=3, Fibu_Forderung=1, Fibu_Verbindlichkeit=1 "
                                 "WHERE Auftrag=%1").arg(source));
        wawi.exec(QStringLiteral("UPDATE Zahlung SET Fibu=1 WHERE Auftrag=%1").arg(source));
    }
    QVERIFY(source > 0);
    const int auftrag = cashBook ? -source : source;

    JournalFixture journal;
    const qint64 first = journal.add({100, QStringLiteral("Rechnung 100"), 119, 10000, 8400, false, auftrag});
    journal.add({100, QStringLiteral("Rechnung 100"), 107, 10000, 8300, false, auftrag});
    journal.add({100, QStringLiteral("Zahlung 100"), 226, 1200, 10000, false, auftrag});
    const qint64 other = journal.add({101, QStringLiteral("anderer Vorgang"), 10, 10000, 8400, false, auftrag + 1});

    ScriptedFeedback feedback({true, true});
    TFM_BuchungWaWi side(wawi.connection);
    TFM_BuchungLogic logic(journal.db(), feedback);
    logic.setWaWi(&side);
    logic.setProgrammArt(3);
    QVERIFY(logic.Loeschen(first + 1));
    QCOMPARE(feedback.messages, QStringList{});
    QCOMPARE(journal.keys(), QList<qint64>{other});

    if (cashBook) {
        QCOMPARE(wawi.value(QStringLiteral("SELECT Fibu FROM Kassenbuch WHERE Eintrag=%1").arg(source)).toInt(), 0);
    } else {
        QVERIFY(wawi.value(QStringLiteral("SELECT FibuBuchung1 FROM Auftrag WHERE Auftrag=%1").arg(source)).isNull());
        QCOMPARE(wawi.value(QStringLiteral("SELECT Fibu_Forderung FROM Auftrag WHERE Auftrag=%1").arg(source)).toInt(), 0);
        QCOMPARE(wawi.value(QStringLiteral("SELECT Fibu_Verbindlichkeit FROM Auftrag WHERE Auftrag=%1").arg(source)).toInt(), 0);
        QCOMPARE(wawi.value(QStringLiteral("SELECT COUNT(*) FROM Zahlung WHERE Auftrag=%1 AND Fibu<>0").arg(source)).toInt(), 0);
    }
}

QTEST_GUILESS_MAIN(TstJournalTakeBack)
#include "tst_journaltakeback.moc"
