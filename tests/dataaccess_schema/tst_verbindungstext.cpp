// Connection strings of the connection dialog: built per server kind, read back, and usable by
// the connection (SQLite file, MariaDB test server).
#include "dataaccess/tqemconnection.h"
#include "dataaccess/verbindungstext.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(Verbindungstext::Art)

class TstVerbindungstext : public QObject {
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void pruefen_data();
    void pruefen();
    void verbindet();
};

void TstVerbindungstext::text_data()
{
    QTest::addColumn<Verbindungstext::Art>("art");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("erwartet");
    QTest::addColumn<int>("serverType");
    QTest::newRow("sqlserver") << Verbindungstext::Art::SqlServer << "srv01" << 1433
                               << "Provider=SQLOLEDB.1;Data Source=srv01,1433;Initial Catalog=wawi;User ID=fibu;Password=g3h"
                               << 0;
    QTest::newRow("mariadb") << Verbindungstext::Art::MariaDb << "db.local" << 3307
                             << "Provider=MSDASQL.1;Extended Properties=\"DRIVER={MariaDB ODBC 3.1 Driver};SERVER=db.local;"
                                "PORT=3307;DATABASE=wawi;UID=fibu;PWD=g3h;\""
                             << 2;
    QTest::newRow("access") << Verbindungstext::Art::Access << "" << 0
                            << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=wawi;User ID=fibu;Jet OLEDB:Database Password=g3h"
                            << 1;
    QTest::newRow("sqlite") << Verbindungstext::Art::SQLite << "" << 0 << "Provider=SQLite;Data Source=wawi" << 3;
}

void TstVerbindungstext::text()
{
    QFETCH(Verbindungstext::Art, art);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(QString, erwartet);
    QFETCH(int, serverType);
    Verbindungstext v;
    v.art = art;
    v.host = host;
    v.port = port;
    v.datenbank = QStringLiteral("wawi");
    if (v.art != Verbindungstext::Art::SQLite) {
        v.benutzer = QStringLiteral("fibu");
        v.kennwort = QStringLiteral("g3h");
    }
    QCOMPARE(v.text(), erwartet);
    QCOMPARE(TQemConnection::DetectServerType(v.text()), serverType);
    const Verbindungstext zurueck = Verbindungstext::aus(v.text());
    QCOMPARE(zurueck.art, v.art);
    QCOMPARE(zurueck.host, v.host);
    QCOMPARE(zurueck.port, v.port);
    QCOMPARE(zurueck.datenbank, v.datenbank);
    QCOMPARE(zurueck.benutzer, v.benutzer);
    QCOMPARE(zurueck.kennwort, v.kennwort);
}

void TstVerbindungstext::pruefen_data()
{
    QTest::addColumn<Verbindungstext::Art>("art");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("datenbank");
    QTest::addColumn<QString>("kennwort");
    QTest::addColumn<bool>("gut");
    QTest::newRow("complete") << Verbindungstext::Art::MariaDb << "h" << "db" << "pw" << true;
    QTest::newRow("no-host") << Verbindungstext::Art::MariaDb << "" << "db" << "" << false;
    QTest::newRow("no-file") << Verbindungstext::Art::SQLite << "" << " " << "" << false;
    QTest::newRow("semicolon") << Verbindungstext::Art::SqlServer << "h" << "db" << "a;b" << false;
    QTest::newRow("quote") << Verbindungstext::Art::MariaDb << "h" << "db" << "a\"b" << false;
    QTest::newRow("file-only") << Verbindungstext::Art::SQLite << "" << "/x/wawi.sqlite" << "" << true;
}

void TstVerbindungstext::pruefen()
{
    QFETCH(Verbindungstext::Art, art);
    QFETCH(QString, host);
    QFETCH(QString, datenbank);
    QFETCH(QString, kennwort);
    QFETCH(bool, gut);
    Verbindungstext v{art, host, 0, datenbank, QString(), kennwort};
    QCOMPARE(v.pruefen().isEmpty(), gut);
}

void TstVerbindungstext::verbindet()
{
    QTemporaryDir dir;
    Verbindungstext datei{Verbindungstext::Art::SQLite, {}, 0, dir.filePath(QStringLiteral("w.sqlite")), {}, {}};
    TQemConnection c;
    c.SetConnectionString(datei.text());
    c.Open();
    QVERIFY(c.Connected());
    c.Close();
    if (!testsupport::TestMariaDb::available())
        QSKIP("no MariaDB test server");
    testsupport::TestMariaDb maria(QStringLiteral("vt"));
    Verbindungstext v{Verbindungstext::Art::MariaDb, maria.host(), maria.port(), maria.databaseName(),
                      QStringLiteral("root"), QString()};
    TQemConnection m;
    m.SetConnectionString(v.text());
    m.Open();
    QVERIFY(m.Connected());
    QCOMPARE(m.GetServer_Type(), 2);
    m.Close();
}

QTEST_GUILESS_MAIN(TstVerbindungstext)
#include "tst_verbindungstext.moc"
