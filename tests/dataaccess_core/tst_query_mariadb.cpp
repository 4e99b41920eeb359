// The connection and the query against the real MariaDB test server: the stored ODBC-style
// connection string, the local dialect, row limits, master and detail by substituted values,
// a rejected post completed by the fallback statement, the error log, auto-increment keys.

#include "dataaccess/sqlerrorlog.h"
#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemdatasource.h"
#include "dataaccess/tqemquery.h"
#include "testsupport.h"

#include <QtTest>

class TstQueryMariaDb : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void connectsWithStoredString();
    void localDialectAndLimit();
    void masterDetailFollowsMaster();
    void rejectedPostCompletedByFallback();
    void insertReadsBackKey();
    void brokenStatementLogged();

private:
    std::unique_ptr<TQemQuery> query(const QString& sql)
    {
        auto q = std::make_unique<TQemQuery>();
        q->SetName(QStringLiteral("QU_Kunden"));
        q->SetConnection(conn.get());
        q->SetSQL(sql);
        return q;
    }
    QVariant rawValue(const QString& sql)
    {
        QSqlQuery q(db->raw());
        return q.exec(sql) && q.next() ? q.value(0) : QVariant();
    }

    std::unique_ptr<testsupport::TempProgramDir> program;
    std::unique_ptr<testsupport::TestMariaDb> db;
    std::unique_ptr<TQemConnection> conn;
    QStringList sent;
};

void TstQueryMariaDb::init()
{
    if (!testsupport::TestMariaDb::available())
        QSKIP("no MariaDB test server (FIBU_TEST_MARIADB)");
    QemState::reset();
    program = std::make_unique<testsupport::TempProgramDir>(false);
    db = std::make_unique<testsupport::TestMariaDb>(QStringLiteral("core"));
    QVERIFY2(db->isValid(), qPrintable(db->errorText()));
    const char* const schema[] = {
        "CREATE TABLE Land (LandID INT NOT NULL AUTO_INCREMENT PRIMARY KEY, Name VARCHAR(40), Kurz VARCHAR(3))",
        "CREATE TABLE Adressen (AdrNr INT NOT NULL AUTO_INCREMENT PRIMARY KEY, Name VARCHAR(40), Ort VARCHAR(40),"
        " Land INT, Aktiv TINYINT(1), Umsatz DOUBLE, Seit DATE, Qem_dummy TEXT)",
        "CREATE TABLE Auftrag (Auftrag INT NOT NULL PRIMARY KEY, Kunde INT)",
        "CREATE TABLE Positionen (PosNr INT NOT NULL AUTO_INCREMENT PRIMARY KEY, Auftrag INT, Artikel VARCHAR(20))",
        "INSERT INTO Land (Name, Kurz) VALUES ('Deutschland','D'),('Österreich','A')",
        "INSERT INTO Adressen (Name, Ort, Land, Aktiv, Umsatz, Seit) VALUES ('Müller','Köln',1,1,1234.5,'2024-12-31'),"
        " ('Meier',NULL,2,0,NULL,NULL),('Schmidt','Bonn',1,1,10,NULL)",
        "INSERT INTO Auftrag VALUES (17,1),(18,2),(19,3)",
        "INSERT INTO Positionen (Auftrag, Artikel) VALUES (17,'A1'),(17,'A2'),(18,'B1'),(19,'C1'),(19,'C2'),(19,'C3')",
    };
    for (const char* statement : schema)
        QVERIFY2(QSqlQuery(db->raw()).exec(QString::fromUtf8(statement)), statement);
    conn = std::make_unique<TQemConnection>();
    conn->SetConnectionString(db->connectionString());
    conn->Open();
    sent.clear();
    conn->OnStatement = [this](const QString& sql) { sent << sql; };
}

void TstQueryMariaDb::cleanup()
{
    conn.reset();
    db.reset();
    program.reset();
}

void TstQueryMariaDb::connectsWithStoredString()
{
    QVERIFY(conn->Connected());
    QCOMPARE(conn->SERVER_TYPE, 2);
    QCOMPARE(conn->GetDataBaseName(), db->databaseName());
    QCOMPARE(conn->Database().driverName(), QStringLiteral("QMYSQL"));

    TQemConnection wrong;
    wrong.SetConnectionString(QString(db->connectionString()).replace(QStringLiteral("PWD=;"), QStringLiteral("PWD=falsch;")));
    try {
        wrong.Open();
        QFAIL("connect with a wrong password succeeded");
    } catch (const EQemDatabaseError& e) {
        QVERIFY(!e.message().contains(QLatin1String("falsch")));
    }
}

void TstQueryMariaDb::localDialectAndLimit()
{
    auto q = query(QStringLiteral("SELECT [Name], [Ort] FROM Adressen.db WHERE Aktiv=WAHR OR IFNULL(Ort,'')='' AND  ISNULL(Umsatz,0)=0 ORDER BY [Name]"));
    q->Open();
    QCOMPARE(q->SQL(), QStringLiteral("SELECT `Name`, `Ort` FROM Adressen WHERE Aktiv=1 OR IFNULL(Ort,'')='' AND  IFNULL(Umsatz,0)=0 ORDER BY `Name`"));
    QCOMPARE(q->RecordCount(), 3);
    QCOMPARE(q->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Meier"));
    QVERIFY(q->FieldByName(QStringLiteral("Ort"))->IsNull());

    auto typed = query(QStringLiteral("SELECT * FROM Adressen WHERE AdrNr=1"));
    typed->Open();
    QCOMPARE(typed->FieldByName(QStringLiteral("Aktiv"))->AsString(), QStringLiteral("True"));
    QCOMPARE(typed->FieldByName(QStringLiteral("Umsatz"))->AsString(), QStringLiteral("1234,5"));
    QCOMPARE(typed->FieldByName(QStringLiteral("Seit"))->AsString(), QStringLiteral("31.12.2024"));

    auto limited = query(QStringLiteral("select * from Positionen order by PosNr"));
    limited->SetTopSelect(2);
    QCOMPARE(limited->SQL(), QStringLiteral("select * from Positionen order by PosNr LIMIT 2"));
    limited->Open();
    QCOMPARE(limited->RecordCount(), 2);
    limited->SetMaxRecords(5);
    QCOMPARE(limited->RecordCount(), 5);

    auto exec = query(QStringLiteral("UPDATE Adressen.db SET Aktiv=FALSCH WHERE [Land]=1"));
    QCOMPARE(exec->ExecSQL(), 2);
}

void TstQueryMariaDb::masterDetailFollowsMaster()
{
    auto master = query(QStringLiteral("SELECT * FROM Auftrag ORDER BY Auftrag"));
    auto detail = query(QStringLiteral("SELECT * FROM Positionen WHERE Auftrag=:Auftrag ORDER BY PosNr"));
    TQemDataSource source(master.get());
    detail->SetMasterSource(&source);
    detail->SetMasterFields(QStringLiteral("Auftrag"));
    master->Open();
    detail->Open();
    QCOMPARE(detail->CommandText(), QStringLiteral("SELECT * FROM Positionen WHERE Auftrag=17 ORDER BY PosNr"));
    QCOMPARE(detail->RecordCount(), 2);
    master->Next();
    QCOMPARE(detail->CommandText(), QStringLiteral("SELECT * FROM Positionen WHERE Auftrag=18 ORDER BY PosNr"));
    QCOMPARE(detail->RecordCount(), 1);
    QCOMPARE(detail->FieldByName(QStringLiteral("Artikel"))->AsString(), QStringLiteral("B1"));
    master->Last();
    QCOMPARE(detail->RecordCount(), 3);
    QCOMPARE(detail->SQL(), QStringLiteral("SELECT * FROM Positionen WHERE Auftrag=:Auftrag ORDER BY PosNr"));

    // Text values are written as escaped literals: a quote or backslash cannot end them.
    auto names = query(QStringLiteral("SELECT Name FROM Adressen ORDER BY AdrNr"));
    QVERIFY(QSqlQuery(db->raw()).exec(QStringLiteral("UPDATE Adressen SET Name='O\\'Brien \\\\' WHERE AdrNr=1")));
    auto byName = query(QStringLiteral("SELECT * FROM Adressen WHERE Name=:Name"));
    TQemDataSource nameSource(names.get());
    byName->SetMasterSource(&nameSource);
    byName->SetMasterFields(QStringLiteral("Name"));
    names->Open();
    byName->Open();
    QCOMPARE(byName->RecordCount(), 1);
    QCOMPARE(byName->FieldByName(QStringLiteral("AdrNr"))->AsInteger(), 1);
}

void TstQueryMariaDb::rejectedPostCompletedByFallback()
{
    auto q = query(QStringLiteral("SELECT a.*, l.Name AS LandName FROM Adressen.db a JOIN Land.db l ON l.LandID=a.Land ORDER BY a.AdrNr"));
    q->Open();
    q->SetRecNo(3);
    q->Edit();
    q->FieldByName(QStringLiteral("Ort"))->SetAsString(QStringLiteral("It's \\ \"Bonn\""));
    q->Post();
    QVERIFY(q->PostCompletedByFallback());
    QCOMPARE(rawValue(QStringLiteral("SELECT Ort FROM Adressen WHERE AdrNr=3")).toString(), QStringLiteral("It's \\ \"Bonn\""));
    QCOMPARE(q->RecNo(), 3);
    QCOMPARE(q->FieldByName(QStringLiteral("Ort"))->AsString(), QStringLiteral("It's \\ \"Bonn\""));
    QVERIFY(!QFile::exists(sqlErrorLogPath()));
}

void TstQueryMariaDb::insertReadsBackKey()
{
    auto q = query(QStringLiteral("SELECT * FROM Adressen ORDER BY AdrNr"));
    q->Open();
    q->Append();
    q->FieldByName(QStringLiteral("Name"))->SetAsString(QStringLiteral("Neu"));
    q->FieldByName(QStringLiteral("Aktiv"))->SetAsBoolean(true);
    q->Post();
    QCOMPARE(q->FieldByName(QStringLiteral("AdrNr"))->AsInteger(), 4);
    QVERIFY(!q->InsertToken().isEmpty());  // the insert token went into Qem_dummy
    QCOMPARE(rawValue(QStringLiteral("SELECT Qem_dummy FROM Adressen WHERE AdrNr=4")).toString(), q->InsertToken());
    q->Edit();
    q->FieldByName(QStringLiteral("Umsatz"))->SetAsFloat(12.5);
    q->Post();
    QCOMPARE(rawValue(QStringLiteral("SELECT Umsatz FROM Adressen WHERE AdrNr=4")).toDouble(), 12.5);
    q->Delete();
    QCOMPARE(rawValue(QStringLiteral("SELECT COUNT(*) FROM Adressen")).toInt(), 3);
}

void TstQueryMariaDb::brokenStatementLogged()
{
    auto q = query(QStringLiteral("SELECT * FROM Adressen.db WHERE Gibtsnicht=1"));
    QVERIFY_THROWS_EXCEPTION(EQemDatabaseError, q->Open());
    QFile log(sqlErrorLogPath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(log.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(QRegularExpression(QStringLiteral("^ \\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d: Open Fehler: QU_Kunden; .*Gibtsnicht"))
                 .match(lines[0]).hasMatch(), qPrintable(lines[0]));
    QVERIFY2(lines[1].endsWith(QLatin1String(": SELECT * FROM Adressen WHERE Gibtsnicht=1")), qPrintable(lines[1]));
}

QTEST_GUILESS_MAIN(TstQueryMariaDb)
#include "tst_query_mariadb.moc"
