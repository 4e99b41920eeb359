// Connection strings: dialect detection, database name, the mapping to the Qt drivers and the
// masking of passwords; the process-wide dialect state; the SQL error log.

#include "dataaccess/qemdriversettings.h"
#include "dataaccess/sqlerrorlog.h"
#include "dataaccess/tqemconnection.h"
#include "testsupport.h"

#include <QtTest>

class TstConnection : public QObject {
    Q_OBJECT
private slots:
    void init() { QemState::reset(); }
    void serverType_data();
    void serverType();
    void databaseName_data();
    void databaseName();
    void driverMapping_data();
    void driverMapping();
    void maskPassword_data();
    void maskPassword();
    void dialectState();
    void serverLanguage();
    void errorLogLines();
    void unknownProvider();
};

void TstConnection::serverType_data()
{
    QTest::addColumn<QString>("connectionString");
    QTest::addColumn<int>("expected");
    QTest::newRow("sql-server") << "Provider=SQLOLEDB.1;Data Source=srv;Initial Catalog=Shop;" << 0;
    QTest::newRow("jet") << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\qem\\shop.mdb" << 1;
    QTest::newRow("mysql-odbc") << "Provider=MSDASQL.1;Extended Properties=\"DRIVER={MySQL ODBC 8.0 Driver};SERVER=h;\"" << 2;
    QTest::newRow("mariadb-odbc") << "Provider=MSDASQL.1;Extended Properties=\"DRIVER={MariaDB ODBC 3.1 Driver};SERVER=h;\"" << 2;
    QTest::newRow("both-first-wins") << "Provider=SQLOLEDB;Data Source=x;Extended Properties=\"DRIVER={MySQL}\"" << 0;
    QTest::newRow("lower-case-provider") << "Provider=sqloledb;Data Source=x" << -1;
    QTest::newRow("lower-case-mysql") << "DRIVER={mysql};SERVER=h" << -1;
    QTest::newRow("sqlite") << "Provider=SQLite;Data Source=/tmp/x.sqlite" << 3;
    QTest::newRow("sqlite-after-mysql") << "Provider=SQLite;Data Source=/tmp/MySQL.sqlite" << 2;
    QTest::newRow("unknown") << "Provider=MSDASQL.1;DSN=Shop" << -1;
}

void TstConnection::serverType()
{
    QFETCH(QString, connectionString);
    QFETCH(int, expected);
    QCOMPARE(TQemConnection::DetectServerType(connectionString), expected);
    TQemConnection conn;
    conn.SERVER_TYPE = 7;
    conn.SetConnectionString(connectionString);
    QCOMPARE(conn.GetServer_Type(), expected);
    QCOMPARE(conn.SERVER_TYPE, expected);
    QCOMPARE(QemState::CurrentServerType, expected);
}

void TstConnection::databaseName_data()
{
    QTest::addColumn<QString>("connectionString");
    QTest::addColumn<QString>("expected");
    QTest::newRow("mysql") << "Provider=MSDASQL.1;Extended Properties=\"DRIVER={MySQL ODBC};SERVER=h;DATABASE=qem_shop;UID=root\"" << "qem_shop";
    QTest::newRow("mariadb") << "Extended Properties=\"DRIVER={MariaDB ODBC 3.1 Driver};DATABASE=w1;\"" << "w1";
    QTest::newRow("catalog-then-semicolon") << "Provider=SQLOLEDB.1;Initial Catalog=Shop;Data Source=srv" << "Shop";
    QTest::newRow("catalog-at-end") << "Provider=SQLOLEDB.1;Data Source=srv;Initial Catalog=Shop" << "";
    QTest::newRow("jet-has-none") << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb;" << "";
    QTest::newRow("mysql-without-brace") << "DRIVER=MySQL;DATABASE=x;" << "";
}

void TstConnection::databaseName()
{
    QFETCH(QString, connectionString);
    QFETCH(QString, expected);
    TQemConnection conn;
    conn.SetConnectionString(connectionString);
    QCOMPARE(conn.GetDataBaseName(), expected);
}

void TstConnection::driverMapping_data()
{
    QTest::addColumn<QString>("connectionString");
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::newRow("mariadb-extended") << "Provider=MSDASQL.1;Persist Security Info=False;Extended Properties=\"DRIVER={MariaDB ODBC 3.1 Driver};SERVER=127.0.0.1;PORT=3307;DATABASE=shop;UID=root;PWD=geheim;\""
                                      << "QMYSQL" << "127.0.0.1" << 3307 << "shop" << "root" << "geheim";
    QTest::newRow("mysql-bare-default-port") << "DRIVER={MySQL ODBC 8.0 Unicode Driver};SERVER=db1;DATABASE=w;UID=u;PASSWORD={a;b}"
                                             << "QMYSQL" << "db1" << 3306 << "w" << "u" << "a;b";
    QTest::newRow("sql-server") << "Provider=SQLOLEDB.1;Password=pw;User ID=sa;Initial Catalog=Shop;Data Source=SRV\\QEM"
                                << "QODBC" << "SRV\\QEM" << -1
                                << "DRIVER={ODBC Driver 17 for SQL Server};SERVER=SRV\\QEM;DATABASE=Shop;" << "sa" << "pw";
    QTest::newRow("sql-server-integrated") << "Provider=SQLOLEDB.1;Integrated Security=SSPI;Initial Catalog=S;Data Source=H"
                                           << "QODBC" << "H" << -1
                                           << "DRIVER={ODBC Driver 17 for SQL Server};SERVER=H;DATABASE=S;Trusted_Connection=yes;" << "" << "";
    QTest::newRow("jet") << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Qem\\Shop.mdb;Jet OLEDB:Database Password=x"
                         << "QODBC" << "" << -1 << "DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=C:\\Qem\\Shop.mdb;" << "" << "x";
    QTest::newRow("sqlite") << "Provider=SQLite;Data Source=/daten/DateV.sqlite" << "QSQLITE" << "" << -1 << "/daten/DateV.sqlite" << "" << "";
    QTest::newRow("unknown") << "Provider=MSDASQL.1;DSN=Shop" << "" << "" << -1 << "" << "" << "";
}

void TstConnection::driverMapping()
{
    QFETCH(QString, connectionString);
    QFETCH(QString, driver);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(QString, database);
    QFETCH(QString, user);
    QFETCH(QString, password);
    const QemDriverSettings s = QemDriverSettings::fromConnectionString(connectionString);
    QCOMPARE(s.driver, driver);
    QCOMPARE(s.hostName, host);
    QCOMPARE(s.port, port);
    QCOMPARE(s.databaseName, database);
    QCOMPARE(s.userName, user);
    QCOMPARE(s.password, password);
    if (driver == QLatin1String("QMYSQL"))
        QVERIFY(s.connectOptions.contains(QLatin1String("CLIENT_FOUND_ROWS=1")));
}

void TstConnection::maskPassword_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("odbc-inside-extended") << "Extended Properties=\"DRIVER={MySQL};UID=root;PWD=geheim;\""
                                          << "Extended Properties=\"DRIVER={MySQL};UID=root;PWD=***;\"";
    QTest::newRow("oledb-password-first") << "Password=pw;User ID=sa" << "Password=***;User ID=sa";
    QTest::newRow("braced") << "PWD={a;b};SERVER=x" << "PWD=***;SERVER=x";
    QTest::newRow("jet") << "Data Source=x;Jet OLEDB:Database Password=abc" << "Data Source=x;Jet OLEDB:Database Password=***";
    QTest::newRow("lower-case-at-end") << "uid=u;pwd=x" << "uid=u;pwd=***";
    QTest::newRow("none") << "Provider=SQLite;Data Source=/x" << "Provider=SQLite;Data Source=/x";
}

void TstConnection::maskPassword()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(::maskPassword(text), expected);
}

void TstConnection::dialectState()
{
    TQemConnection conn;
    conn.SetConnectionString(QStringLiteral("Provider=SQLOLEDB;Data Source=x"));
    conn.SetUserID(42);
    QCOMPARE(conn.UserID(), 42);
    QCOMPARE(QemState::CurrentUserID, 42);
    QemState::ConvertDateLiterals = 1;
    conn.xBeforeConnect();
    QCOMPARE(QemState::CurrentServerType, -1);
    QCOMPARE(QemState::ConvertDateLiterals, -1);
    QCOMPARE(QemState::CurrentUserID, -1);
    QCOMPARE(conn.UserID(), -1);
    QCOMPARE(conn.SERVER_TYPE, -1);
    QCOMPARE(conn.GetServer_Type(), 0);
    QemState::ConvertDateLiterals = 0;
    conn.ServerTypeOff();
    QCOMPARE(conn.SERVER_TYPE, -1);
    QCOMPARE(QemState::CurrentServerType, -1);
    QCOMPARE(QemState::ConvertDateLiterals, -1);
}

void TstConnection::serverLanguage()
{
    // No SQL Server here: an SQLite connection forced to dialect 0 shows the question sent and
    // that an unanswerable question means "write date literals".
    QTemporaryDir dir;
    const QString name = QStringLiteral("tst_language");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(dir.filePath(QStringLiteral("x.sqlite")));
        QVERIFY(db.open());
    }
    {
        TQemConnection conn;
        conn.AttachDatabase(name, 0);
        QCOMPARE(conn.GetServer_Type(), 0);  // forced: the wrapped connection has no provider text
        QStringList sent;
        conn.OnStatement = [&sent](const QString& sql) { sent << sql; };
        conn.AskServerLanguage();
        QCOMPARE(sent, QStringList{QStringLiteral("select @@LANGUAGE")});
        QCOMPARE(QemState::ConvertDateLiterals, 1);
        conn.Close();
        QVERIFY(!QSqlDatabase::database(name, false).isOpen());
    }
    QSqlDatabase::removeDatabase(name);
}

void TstConnection::errorLogLines()
{
    testsupport::TempProgramDir program(false);
    QemState::LogStation = QStringLiteral("KASSE1");
    WriteSqlErrorLog(QStringLiteral("Open Fehler: QU_Test; kaputt"));
    QemState::LogStation.clear();
    WriteSqlErrorLog(QStringLiteral("SELECT *\r\nFROM x WHERE PWD=geheim"));

    const QString path = program.filePath(QStringLiteral("SQLERROR_") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd"))
                                          + QStringLiteral(".LOG"));
    QCOMPARE(sqlErrorLogPath(), path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    const QRegularExpression first(QStringLiteral("^KASSE1 \\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d: Open Fehler: QU_Test; kaputt$"));
    QVERIFY2(first.match(lines[0]).hasMatch(), qPrintable(lines[0]));
    const QRegularExpression second(QStringLiteral("^ \\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d: SELECT \\* FROM x WHERE PWD=\\*\\*\\*$"));
    QVERIFY2(second.match(lines[1]).hasMatch(), qPrintable(lines[1]));
}

void TstConnection::unknownProvider()
{
    TQemConnection conn;
    conn.SetConnectionString(QStringLiteral("Provider=MSDASQL.1;DSN=Shop;PWD=geheim"));
    try {
        conn.Open();
        QFAIL("open of an unknown provider succeeded");
    } catch (const EQemDatabaseError& e) {
        QVERIFY(!e.message().contains(QLatin1String("geheim")));
        QVERIFY(e.message().contains(QLatin1String("Provider")));
    }
    QVERIFY(!conn.Connected());
}

QTEST_GUILESS_MAIN(TstConnection)
#include "tst_connection.moc"
