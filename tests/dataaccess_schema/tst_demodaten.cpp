// Demo and benchmark data: complete enough for every decision the import takes, consistent
// amounts, and the same rows in both schema variants and both dialects.
#include "dataaccess/benchgenerator.h"
#include "dataaccess/demodaten.h"
#include "dataaccess/wawischema.h"
#include "testsupport.h"

#include <QSet>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

class TestDb {
public:
    explicit TestDb(const QString& dialect)
    {
        if (dialect == QLatin1String("mariadb")) {
            maria_ = std::make_unique<testsupport::TestMariaDb>(QStringLiteral("demo"));
            db_ = maria_->raw();
        } else {
            db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("demo"));
            db_.setDatabaseName(dir_.filePath(QStringLiteral("demo.sqlite")));
            db_.open();
        }
    }
    ~TestDb()
    {
        if (maria_)
            return;  // the fixture closes and drops its database
        const QString name = db_.connectionName();
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }
    QSqlDatabase& db() { return db_; }

    QVariant one(const QString& sql)
    {
        QSqlQuery q(db_);
        if (!q.exec(sql) || !q.next())
            return {};
        return q.value(0);
    }
    QSet<int> ints(const QString& sql)
    {
        QSet<int> result;
        QSqlQuery q(db_);
        q.exec(sql);
        while (q.next())
            result.insert(q.value(0).toInt());
        return result;
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<testsupport::TestMariaDb> maria_;
    QSqlDatabase db_;
};

void dialectRows()
{
    QTest::addColumn<QString>("dialect");
    QTest::addColumn<bool>("optional");
    QTest::newRow("sqlite") << QStringLiteral("sqlite") << true;
    QTest::newRow("sqlite-without-optional") << QStringLiteral("sqlite") << false;
    QTest::newRow("mariadb") << QStringLiteral("mariadb") << true;
    QTest::newRow("mariadb-without-optional") << QStringLiteral("mariadb") << false;
}

}  // namespace

class TstDemoDaten : public QObject {
    Q_OBJECT

private slots:
    void demoCoversTheImportDecisions_data() { dialectRows(); }
    void demoCoversTheImportDecisions();
    void benchDatabase_data() { dialectRows(); }
    void benchDatabase();
};

void TstDemoDaten::demoCoversTheImportDecisions()
{
    QFETCH(QString, dialect);
    QFETCH(bool, optional);
    if (dialect == QLatin1String("mariadb") && !testsupport::TestMariaDb::available())
        QSKIP("no MariaDB test server");
    TestDb t(dialect);
    QVERIFY(t.db().isOpen());
    WawiSchemaOptions options;
    options.withOptionalFields = optional;
    QString error;
    QVERIFY2(WawiSchema::create(t.db(), options, &error), qPrintable(error));
    QVERIFY2(DemoDaten::fill(t.db(), options, &error), qPrintable(error));

    QCOMPARE(t.one(QStringLiteral("SELECT COUNT(*) FROM Auftrag")).toInt(), DemoDaten::belege().size());
    const QString seit = QDate::currentDate().addDays(-30).toString(Qt::ISODate);
    const QString imZeitraum = QStringLiteral(" FROM Auftrag WHERE Mandant=1 AND Vorgangsdatum>='%1'").arg(seit);
    const QSet<int> kinds = t.ints(QStringLiteral("SELECT Art") + imZeitraum);
    for (int art : {4, 5, 6, 7, 11, 13, 16, 20, 30, 31, 32, 33, 1})
        QVERIFY2(kinds.contains(art), qPrintable(QString::number(art)));
    // Every state the decision tables distinguish, within the last 30 days.
    const QStringList states{
        QStringLiteral("Gedruckt=0 AND Storniert=0"),
        QStringLiteral("Gedruckt=1 AND Storniert=0 AND Fibu_Forderung=0 AND Abgeschlossen=0"),
        QStringLiteral("Gedruckt=1 AND Storniert=0 AND Fibu_Forderung=0 AND Abgeschlossen=1"),
        QStringLiteral("Storniert=0 AND Fibu_Forderung=1 AND Fibu_Verbindlichkeit=1"),
        QStringLiteral("Storniert=1 AND Fibu_Forderung=1 AND Fibu_Verbindlichkeit=0"),
        QStringLiteral("Storniert=1 AND Fibu_Forderung=1 AND Fibu_Verbindlichkeit=1"),
        QStringLiteral("Storniert=1 AND Fibu_Forderung=0"),
        QStringLiteral("Bezahlt<>BezahlungDirekt"),
        QStringLiteral("Abgeschlossen=1 AND Offen>0"),
        QStringLiteral("Abgeschlossen=1 AND Offen<0"),
        QStringLiteral("Art=11 AND ZBericht=1"),
        QStringLiteral("Art=11 AND ZBericht=0"),
        QStringLiteral("GRabatt>0 AND Porto>0 AND Lieferanschrift<>''"),
        QStringLiteral("Steuer=2"), QStringLiteral("Steuer=3"), QStringLiteral("Steuer=4"),
        QStringLiteral("Steuer=5")};
    for (const QString& state : states)
        QVERIFY2(t.one(QStringLiteral("SELECT COUNT(*)") + imZeitraum + QStringLiteral(" AND ") + state).toInt() > 0,
                 qPrintable(state));
    // A document posted before the period whose settlement falls into it.
    QVERIFY(t.one(QStringLiteral("SELECT COUNT(*) FROM Auftrag WHERE Fibu_Forderung=1 AND "
                                 "Fibu_Verbindlichkeit=0 AND Abgeschlossen=1 AND Vorgangsdatum<'%1' "
                                 "AND Buchdatum>='%1'").arg(seit)).toInt() > 0);

    const QSet<int> posArten = t.ints(QStringLiteral("SELECT DISTINCT Art FROM Positionen"));
    QCOMPARE(posArten, (QSet<int>{0, 1, 2, 3, 4, 5, 6, 11, 12, 15}));
    // Payment rows: new, posted, posted and cancelled since, cancelled before posting.
    for (const char* state : {"Fibu=0 AND Storno=0", "Fibu=1 AND Storno=0", "Fibu=1 AND Storno=1", "Fibu=0 AND Storno=1"})
        QVERIFY2(t.one(QStringLiteral("SELECT COUNT(*) FROM Zahlung WHERE ") + QLatin1String(state)).toInt() > 0, state);

    // The cash-discount example: net 100,00 at 19 %, 116,62 paid, 2,38 left open.
    QSqlQuery q(t.db());
    QVERIFY(q.exec(QStringLiteral("SELECT Betrag, BezahlungDirekt, Offen, Vorgangsdatum FROM Auftrag "
                                  "WHERE Vorgangsnummer='50003'")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toDouble(), 119.00);
    QCOMPARE(q.value(1).toDouble(), 116.62);
    QCOMPARE(q.value(2).toDouble(), 2.38);
    QCOMPARE(q.value(3).toDate(), QDate::currentDate().addDays(-16));

    // Master data the postings fall back on.
    QCOMPARE(t.ints(QStringLiteral("SELECT MwSt_Satz FROM MWST")), (QSet<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    QCOMPARE(t.one(QStringLiteral("SELECT COUNT(*) FROM Adressen WHERE FibuKontonummer>0")).toInt(), 4);
    QCOMPARE(t.one(QStringLiteral("SELECT COUNT(*) FROM Land WHERE Aktiv=1")).toInt(), 2);
    QCOMPARE(t.ints(QStringLiteral("SELECT DISTINCT Konto1 FROM Zahlart")), (QSet<int>{1000, 1200, 1360}));
    QVERIFY(t.one(QStringLiteral("SELECT Zusatz2 FROM Mandant WHERE Mandant=1")).toString()
                .contains(QStringLiteral("E_FreiUmrech1=0")));
    QCOMPARE(t.one(QStringLiteral("SELECT Name FROM Mandant WHERE Mandant=2")).toString(),
             QStringLiteral("Schmidt & Partner Handels KG"));
    QVERIFY(t.one(QStringLiteral("SELECT COUNT(*) FROM Kassenbuch WHERE Mandant=1 AND Fibu=0 AND Datum>='%1'")
                      .arg(seit)).toInt() >= 8);
}

void TstDemoDaten::benchDatabase()
{
    QFETCH(QString, dialect);
    QFETCH(bool, optional);
    if (dialect == QLatin1String("mariadb") && !testsupport::TestMariaDb::available())
        QSKIP("no MariaDB test server");
    TestDb t(dialect);
    BenchOptions o;
    o.belege = 1234;  // not a multiple of any batch size
    o.positionen = 3;
    o.schema.withOptionalFields = optional;
    QString error;
    BenchErgebnis e;
    QVERIFY2(BenchGenerator::generate(t.db(), o, &error, &e), qPrintable(error));
    QCOMPARE(e.auftraege, 1234);
    QCOMPARE(e.positionen, 1234 * 3);
    const int demo = DemoDaten::belege().size();
    QCOMPARE(t.one(QStringLiteral("SELECT COUNT(*) FROM Auftrag")).toInt(), 1234 + demo);
    QCOMPARE(t.one(QStringLiteral("SELECT COUNT(*) FROM Zahlung WHERE Auftrag>100000")).toLongLong(), e.zahlungen);
    // Every generated document refers to an existing address of the right side.
    QCOMPARE(t.one(QStringLiteral("SELECT COUNT(*) FROM Auftrag a LEFT JOIN Adressen d ON d.Adresse=a.Adresse1 "
                                  "WHERE a.Auftrag>100000 AND (d.Adresse IS NULL OR "
                                  "(a.Art IN (16,20)) <> (d.Art=1))")).toInt(), 0);
    // Totals are the sums of their positions.
    QCOMPARE(t.one(QStringLiteral("SELECT COUNT(*) FROM Auftrag a WHERE a.Auftrag>100000 AND "
                                  "ABS(a.Betrag - (SELECT SUM(ROUND(p.Preis*p.Anzahl,2)) FROM Positionen p "
                                  "WHERE p.Auftrag=a.Auftrag)) > 0.005")).toInt(), 0);
}

QTEST_GUILESS_MAIN(TstDemoDaten)
#include "tst_demodaten.moc"
