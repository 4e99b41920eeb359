#include "testsupport.h"

#include <QSqlQuery>
#include <QtTest>

// The test server of the suite is reachable and hands out fresh databases.
class TstMariaDbFixture : public QObject {
    Q_OBJECT
private slots:
    void freshDatabase()
    {
        QVERIFY(testsupport::TestMariaDb::available());
        testsupport::TestMariaDb db;
        QVERIFY2(db.isValid(), qPrintable(db.errorText()));
        QSqlQuery q(db.raw());
        QVERIFY(q.exec(QStringLiteral("SELECT DATABASE()")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), db.databaseName());
        QVERIFY(db.connectionString().contains(QStringLiteral("{MariaDB")));
    }
};

QTEST_GUILESS_MAIN(TstMariaDbFixture)
#include "tst_mariadb_fixture.moc"
