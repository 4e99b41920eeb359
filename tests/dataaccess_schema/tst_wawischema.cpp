// The merchandise-management schema as created on SQLite and on the MariaDB test server.
#include "dataaccess/wawischema.h"
#include "testsupport.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// One database per dialect: a SQLite file or a fresh database on the test server.
class SchemaDb {
public:
    explicit SchemaDb(const QString& dialect)
    {
        if (dialect == QLatin1String("mariadb")) {
            maria_ = std::make_unique<testsupport::TestMariaDb>(QStringLiteral("schema"));
            db_ = maria_->raw();
        } else {
            db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("schema"));
            db_.setDatabaseName(dir_.filePath(QStringLiteral("wawi.sqlite")));
            db_.open();
        }
    }
    ~SchemaDb()
    {
        if (maria_)
            return;  // the fixture closes and drops its database
        const QString name = db_.connectionName();
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }
    QSqlDatabase& db() { return db_; }

private:
    QTemporaryDir dir_;
    std::unique_ptr<testsupport::TestMariaDb> maria_;
    QSqlDatabase db_;
};

QStringList indexNames(QSqlDatabase& db, const QString& table)
{
    QStringList names;
    QSqlQuery q(db);
    if (WawiSchema::dialectOf(db) == WawiDialect::MariaDB) {
        q.exec(QStringLiteral("SHOW INDEX FROM `%1`").arg(table));
        while (q.next())
            names.append(q.value(QStringLiteral("Key_name")).toString());
    } else {
        q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='index' AND tbl_name='%1'")
                   .arg(table));
        while (q.next())
            names.append(q.value(0).toString());
    }
    return names;
}

}  // namespace

class TstWawiSchema : public QObject {
    Q_OBJECT

private slots:
    void createsEveryTable_data();
    void createsEveryTable();
    void sqliteDdl();
    void lookupByProductName();
};

void TstWawiSchema::createsEveryTable_data()
{
    QTest::addColumn<QString>("dialect");
    QTest::addColumn<bool>("optional");
    QTest::newRow("sqlite") << QStringLiteral("sqlite") << true;
    QTest::newRow("sqlite-without-optional") << QStringLiteral("sqlite") << false;
    QTest::newRow("mariadb") << QStringLiteral("mariadb") << true;
    QTest::newRow("mariadb-without-optional") << QStringLiteral("mariadb") << false;
}

void TstWawiSchema::createsEveryTable()
{
    QFETCH(QString, dialect);
    QFETCH(bool, optional);
    if (dialect == QLatin1String("mariadb") && !testsupport::TestMariaDb::available())
        QSKIP("no MariaDB test server");
    SchemaDb s(dialect);
    QVERIFY(s.db().isOpen());
    WawiSchemaOptions options;
    options.withOptionalFields = optional;
    QString error;
    QVERIFY2(WawiSchema::create(s.db(), options, &error), qPrintable(error));
    // Twice: an existing schema is replaced, not an error.
    QVERIFY2(WawiSchema::create(s.db(), options, &error), qPrintable(error));

    const WawiDialect d = WawiSchema::dialectOf(s.db());
    for (const WawiTabelle& t : WawiSchema::tabellen()) {
        const QSqlRecord rec = s.db().record(t.name);
        QVERIFY2(!rec.isEmpty(), qPrintable(t.name));
        for (const WawiFeld& fd : t.felder)
            QCOMPARE(rec.indexOf(fd.name) >= 0, optional || !fd.optional);
        QCOMPARE(rec.fieldName(0), t.felder.first().name);
        QCOMPARE(rec.indexOf(QStringLiteral("Qem_dummy")) >= 0, d == WawiDialect::MariaDB);
        const QStringList names = indexNames(s.db(), t.name);
        for (const WawiIndex& index : t.indexe)
            QVERIFY2(names.contains(WawiSchema::indexName(t, index, d)),
                     qPrintable(t.name + QLatin1Char(' ') + index.name));
    }
    QCOMPARE(indexNames(s.db(), QStringLiteral("Auftrag")).contains(
                 d == WawiDialect::SQLite ? QStringLiteral("Auftrag_was") : QStringLiteral("was")),
             true);
    // The DATEV export must add this index itself.
    for (const QString& name : indexNames(s.db(), QStringLiteral("Adressen")))
        QVERIFY(!name.endsWith(QLatin1String("Fibu"), Qt::CaseInsensitive));

    // Every table takes a row through its own fields (types agree with the dialect).
    QSqlQuery q(s.db());
    QVERIFY(q.exec(QStringLiteral("INSERT INTO Mandant (Mandant, Firma1) VALUES (1, 'Test')")));
    QVERIFY(q.exec(QStringLiteral("INSERT INTO Auftrag (Mandant, Art, Vorgangsdatum, Storniert) "
                                  "VALUES (1, 4, '2026-01-15', 0)")));
    QVERIFY(q.exec(QStringLiteral("SELECT Auftrag FROM Auftrag")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 1);
}

void TstWawiSchema::sqliteDdl()
{
    const WawiTabelle* t = WawiSchema::tabelle(QStringLiteral("Zahlung.DB"));
    QVERIFY(t);
    const QStringList sql = WawiSchema::createStatements(*t, WawiDialect::SQLite);
    QCOMPARE(sql.size(), 2);
    QCOMPARE(sql[0], QStringLiteral("CREATE TABLE \"Zahlung\" (\"Zahlung\" INTEGER PRIMARY KEY "
                                    "AUTOINCREMENT, \"Auftrag\" INTEGER, \"Datum\" DATE, \"Betrag\" "
                                    "DOUBLE, \"Konto\" INTEGER, \"Fibu\" BOOLEAN, \"Storno\" BOOLEAN, "
                                    "\"Bemerkung\" VARCHAR(60))"));
    QCOMPARE(sql[1], QStringLiteral("CREATE INDEX \"Zahlung_Vorgang\" ON \"Zahlung\" (\"Auftrag\")"));

    const QStringList my = WawiSchema::createStatements(*WawiSchema::tabelle(QStringLiteral("Mandant")),
                                                        WawiDialect::MariaDB);
    // Memo last, the insert token before it.
    QVERIFY(my[0].contains(QStringLiteral("`Ort` VARCHAR(40), `Qem_dummy` TEXT, `Zusatz2` LONGTEXT, "
                                          "PRIMARY KEY (`Mandant`)")));
}

void TstWawiSchema::lookupByProductName()
{
    QVERIFY(WawiSchema::tabelle(QStringLiteral("Auftrag.DB")));
    QVERIFY(WawiSchema::tabelle(QStringLiteral("zahlart.db")));
    QVERIFY(WawiSchema::tabelle(QStringLiteral("MANDANT.DB")));
    QVERIFY(!WawiSchema::tabelle(QStringLiteral("Buchungen.DB")));
    QVERIFY(WawiSchema::tabelle(QStringLiteral("Kassenbuch"))->name.contains(
        QLatin1String("kassenbuch"), Qt::CaseInsensitive));
}

QTEST_GUILESS_MAIN(TstWawiSchema)
#include "tst_wawischema.moc"
