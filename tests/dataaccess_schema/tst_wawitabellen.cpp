// The demo database as the import and export open it: every table by its product name
// through TQemTable, every named index, and a range on the document index, on SQLite and on
// MariaDB, with and without the optional fields.
#include "dataaccess/demodaten.h"
#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemfield.h"
#include "dataaccess/tqemtable.h"
#include "dataaccess/wawischema.h"
#include "testsupport.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TstWawiTabellen : public QObject {
    Q_OBJECT

private slots:
    void oeffnen_data();
    void oeffnen();
};

void TstWawiTabellen::oeffnen_data()
{
    QTest::addColumn<QString>("dialect");
    QTest::addColumn<bool>("optional");
    QTest::newRow("sqlite") << QStringLiteral("sqlite") << true;
    QTest::newRow("sqlite-without-optional") << QStringLiteral("sqlite") << false;
    QTest::newRow("mariadb") << QStringLiteral("mariadb") << true;
    QTest::newRow("mariadb-without-optional") << QStringLiteral("mariadb") << false;
}

void TstWawiTabellen::oeffnen()
{
    QFETCH(QString, dialect);
    QFETCH(bool, optional);
    WawiSchemaOptions options;
    options.withOptionalFields = optional;
    QTemporaryDir dir;
    std::unique_ptr<testsupport::TestMariaDb> maria;
    QString verbindung;
    QString error;
    if (dialect == QLatin1String("mariadb")) {
        if (!testsupport::TestMariaDb::available())
            QSKIP("no MariaDB test server");
        maria = std::make_unique<testsupport::TestMariaDb>(QStringLiteral("tab"));
        QSqlDatabase db = maria->raw();
        QVERIFY2(WawiSchema::create(db, options, &error) && DemoDaten::fill(db, options, &error), qPrintable(error));
        verbindung = maria->connectionString();
    } else {
        const QString file = dir.filePath(QStringLiteral("wawi.sqlite"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QVERIFY2(WawiSchema::create(db, options, &error) && DemoDaten::fill(db, options, &error), qPrintable(error));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fill"));
        verbindung = WawiSchema::sqliteConnectionString(file);
    }

    TQemConnection conn;
    conn.SetConnectionString(verbindung);
    conn.Open();
    for (const WawiTabelle& t : WawiSchema::tabellen()) {
        QStringList indexe{QString()};  // DEFAULT: the primary key
        for (const WawiIndex& ix : t.indexe)
            indexe.append(ix.name);
        for (const QString& index : indexe) {
            TQemTable tab;
            tab.SetConnection(&conn);
            tab.SetTableName(t.name + QStringLiteral(".DB"));
            tab.SetIndexName(index);
            try {
                tab.Open();
            } catch (const EQemDatabaseError& e) {
                QFAIL(qPrintable(t.name + QLatin1Char(' ') + index + QStringLiteral(": ") + e.message()));
            }
            QCOMPARE(tab.Fields(0)->FieldName(), t.felder.first().name);
            QCOMPARE(tab.FindField(QStringLiteral("USTDatum")) != nullptr,
                     optional && t.name == QLatin1String("Auftrag"));
            const QString felder = tab.IndexFieldList();
            QCOMPARE(felder, index.isEmpty() ? t.felder.first().name
                                             : t.indexe[indexe.indexOf(index) - 1].felder.join(QLatin1Char(',')));
            tab.Close();
        }
    }

    // The import's view of the documents: client 1, every kind, over the index "was".
    TQemTable auftrag;
    auftrag.SetConnection(&conn);
    auftrag.SetTableName(QStringLiteral("Auftrag.DB"));
    auftrag.SetIndexName(QStringLiteral("was"));
    auftrag.Open();
    auftrag.SetRange({1, 0}, {1, 10000});
    int mandant1 = 0;
    for (const DemoBeleg& b : DemoDaten::belege())
        mandant1 += b.mandant == 1;
    QCOMPARE(auftrag.RecordCount(), mandant1);
    // The DATEV export adds the index Fibu itself; it is not there yet.
    TQemTable adressen;
    adressen.SetConnection(&conn);
    adressen.SetTableName(QStringLiteral("Adressen.DB"));
    adressen.SetIndexName(QStringLiteral("Fibu"));
    QVERIFY_THROWS_EXCEPTION(EQemDatabaseError, adressen.IndexFieldList());
}

QTEST_GUILESS_MAIN(TstWawiTabellen)
#include "tst_wawitabellen.moc"
