#include "journalfixture.h"

#include "grid/displayformat.h"
#include "grid/sqlpagemodel.h"
#include "grid/unicodeupper.h"
#include "store/texte.h"

#include <QBrush>
#include <QRandomGenerator>
#include <QtTest>

class TstSqlPageModel : public QObject {
    Q_OBJECT
private slots:
    void rowsInKeyOrder_data();
    void rowsInKeyOrder();
    void displayTexts_data();
    void displayTexts();
    void coloursOfRows();
    void editWritesByKey();
    void badStatementGivesEmptyModel();
    void unicodeUpper_data();
    void unicodeUpper();
    void upperFoldsAsTheSearchText();
    void numberFormat_data();
    void numberFormat();
};

// A journal with holes in its keys: every 7th booking deleted.
static QList<qint64> fillWithGaps(JournalFixture& journal, int count)
{
    journal.db().transaction();
    for (int i = 0; i < count; ++i)
        journal.add({i + 1, QStringLiteral("Buchung %1").arg(i), double(i)});
    journal.db().commit();
    QSqlQuery(journal.db()).exec(QStringLiteral("DELETE FROM Buchungen WHERE BuchNr % 7 = 0"));
    return journal.keys();
}

void TstSqlPageModel::rowsInKeyOrder_data()
{
    QTest::addColumn<QString>("order");
    QTest::addColumn<bool>("keysFirst");
    QTest::addColumn<QString>("condition");
    QTest::newRow("forward") << "forward" << false << "";
    QTest::newRow("backward") << "backward" << false << "";
    QTest::newRow("end-first-then-up") << "end" << false << "";
    QTest::newRow("random-jumps") << "random" << false << "";
    // A search result: keys read first, pages by key range; sparse and dense hits.
    QTest::newRow("keys-first-forward") << "forward" << true << " WHERE (Brutto > 1500) OR (Brutto < 40)";
    QTest::newRow("keys-first-end") << "end" << true << " WHERE (Brutto > 1500) OR (Brutto < 40)";
    QTest::newRow("keys-first-random-dense") << "random" << true << " WHERE (Buchungstext LIKE '%1%')";
    QTest::newRow("keys-first-nothing") << "forward" << true << " WHERE (Brutto < 0)";
}

void TstSqlPageModel::rowsInKeyOrder()
{
    QFETCH(QString, order);
    QFETCH(bool, keysFirst);
    QFETCH(QString, condition);
    JournalFixture journal;
    fillWithGaps(journal, 2000);
    const QString statement = QStringLiteral("SELECT * FROM Buchungen") + condition;
    QList<qint64> keys;
    QSqlQuery expected(journal.db());
    QVERIFY(expected.exec(statement + QStringLiteral(" ORDER BY BuchNr")));
    while (expected.next())
        keys.append(expected.value(0).toLongLong());
    SqlPageModel model;
    model.setColumns(GridColumns::journal());
    QVERIFY(model.setSource(journal.db(), statement, QStringLiteral("BuchNr"),
                            keysFirst ? SqlPageModel::Reading::KeysFirst : SqlPageModel::Reading::Counted));
    QCOMPARE(model.rowCount(), int(keys.size()));
    if (keys.isEmpty())
        return;

    QList<int> rows;
    const int n = model.rowCount();
    for (int i = 0; i < n; ++i)
        rows.append(i);
    if (order == QLatin1String("backward") || order == QLatin1String("end"))
        std::reverse(rows.begin(), rows.end());
    if (order == QLatin1String("random")) {
        QRandomGenerator random(42);
        rows.clear();
        for (int i = 0; i < 3000; ++i)
            rows.append(int(random.bounded(n)));
    }
    for (int row : rows) {
        QCOMPARE(model.key(row).toLongLong(), keys[row]);
        QCOMPARE(model.rowOfKey(keys[row]), row);
    }
    // Never more pages than asked for: the cache bounds the memory.
    QVERIFY(model.pageReads() >= n / SqlPageModel::pageSize());
}

void TstSqlPageModel::displayTexts_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    QTest::newRow("voucher-number-plain") << "Buchungsnummer" << "4711";
    QTest::newRow("date-german") << "Datum" << "15.03.2024";
    QTest::newRow("account-plain") << "Soll" << "1200";
    QTest::newRow("gross-grouped") << "Brutto" << "1.234.567,50";
    QTest::newRow("rate-two-places") << "MWSTPro" << "0,19";
    QTest::newRow("text") << "Buchungstext" << "Rechnung Müller";
}

void TstSqlPageModel::displayTexts()
{
    QFETCH(QString, field);
    QFETCH(QString, expected);
    JournalFixture journal;
    journal.add({4711, QStringLiteral("Rechnung Müller"), 1234567.5});
    SqlPageModel model;
    model.setColumns(GridColumns::journal());
    QVERIFY(model.setSource(journal.db(), QStringLiteral("SELECT * FROM Buchungen"), QStringLiteral("BuchNr")));
    const int column = model.columns().indexOf(field);
    QVERIFY(column >= 0);
    QCOMPARE(model.data(model.index(0, column), Qt::DisplayRole).toString(), expected);
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Nr"));
}

void TstSqlPageModel::coloursOfRows()
{
    JournalFixture journal;
    journal.add({1, QStringLiteral("exportiert"), 10, 1200, 8400, true});
    journal.add({2, QStringLiteral("neu"), 10});
    SqlPageModel model;
    model.setColumns(GridColumns::journal());
    QVERIFY(model.setSource(journal.db(), QStringLiteral("SELECT * FROM Buchungen"), QStringLiteral("BuchNr")));
    auto colour = [&](int row, int role) {
        return model.data(model.index(row, 0), role).value<QBrush>().color();
    };
    QCOMPARE(colour(0, Qt::ForegroundRole), QColor(0xC0, 0xC0, 0xC0));
    QVERIFY(!model.data(model.index(1, 0), Qt::ForegroundRole).isValid());
    QCOMPARE(colour(0, Qt::BackgroundRole), QColor(0xE9, 0xE9, 0xE9));
    QCOMPARE(colour(1, Qt::BackgroundRole), QColor(Qt::white));
}

void TstSqlPageModel::editWritesByKey()
{
    JournalFixture journal;
    journal.add({1, QStringLiteral("a"), 10});
    const qint64 second = journal.add({2, QStringLiteral("b"), 20});
    SqlPageModel model;
    model.setColumns(GridColumns::journal());
    model.setEditTable(QStringLiteral("Buchungen"));
    QVERIFY(model.setSource(journal.db(), QStringLiteral("SELECT * FROM Buchungen"), QStringLiteral("BuchNr")));
    const int brutto = model.columns().indexOf(QStringLiteral("Brutto"));
    QVERIFY(!(model.flags(model.index(1, brutto)) & Qt::ItemIsEditable));
    model.setEditable(true);
    QVERIFY(model.setData(model.index(1, brutto), QStringLiteral("1.234,56"), Qt::EditRole));
    QSqlQuery q(journal.db());
    q.exec(QStringLiteral("SELECT Brutto FROM Buchungen WHERE BuchNr = %1").arg(second));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toDouble(), 1234.56);
    QCOMPARE(model.data(model.index(1, brutto), Qt::DisplayRole).toString(), QStringLiteral("1.234,56"));
}

void TstSqlPageModel::badStatementGivesEmptyModel()
{
    JournalFixture journal;
    SqlPageModel model;
    model.setColumns(GridColumns::journal());
    QVERIFY(!model.setSource(journal.db(), QStringLiteral("SELECT * FROM Gibtsnicht"), QStringLiteral("BuchNr")));
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.lastError().isEmpty());
}

void TstSqlPageModel::unicodeUpper_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("upper");
    QTest::newRow("ascii") << "Rechnr 4711" << "RECHNR 4711";
    QTest::newRow("umlauts") << "müller öl ärger" << "MÜLLER ÖL ÄRGER";
    QTest::newRow("accents") << "café" << "CAFÉ";
    QTest::newRow("sharp-s-stays") << "Straße" << "STRAßE";
    QTest::newRow("y-diaeresis-longer") << "ÿ" << "Ÿ";
    QTest::newRow("micro-sign") << "µ" << "Μ";
    QTest::newRow("division-sign") << "a÷b" << "A÷B";
    QTest::newRow("beyond-latin1") << "łódź" << "ŁÓDŹ";
    QTest::newRow("empty") << "" << "";
}

void TstSqlPageModel::unicodeUpper()
{
    QFETCH(QString, text);
    QFETCH(QString, upper);
    JournalFixture journal;
    QSqlDatabase db = journal.db();
    QVERIFY(registerUnicodeUpper(db));
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT UPPER(?), UPPER(NULL), UPPER(?) LIKE ?"));
    q.addBindValue(text);
    q.addBindValue(text);
    q.addBindValue(QStringLiteral("%") + upper + QStringLiteral("%"));
    QVERIFY2(q.exec() && q.next(), qPrintable(q.lastError().text()));
    QCOMPARE(q.value(0).toString(), upper);
    QVERIFY(q.value(1).isNull());
    QCOMPARE(q.value(2).toInt(), 1);
}

// The search folds its text with GrossMitUmlaut; the column must be folded alike, character
// by character, or a booking text would not find itself.
void TstSqlPageModel::upperFoldsAsTheSearchText()
{
    JournalFixture journal;
    QSqlDatabase db = journal.db();
    QVERIFY(registerUnicodeUpper(db));
    QSqlQuery q(db);
    QVERIFY(q.prepare(QStringLiteral("SELECT UPPER(?)")));
    for (char16_t code = 0x20; code < 0x250; ++code) {
        const QString text = QStringLiteral("x") + QChar(code) + QStringLiteral("y");
        q.addBindValue(text);
        QVERIFY(q.exec() && q.next());
        QCOMPARE(q.value(0).toString(), GrossMitUmlaut(text));
        QCOMPARE(unicodeUpperText(text), GrossMitUmlaut(text));
    }
}

void TstSqlPageModel::numberFormat_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0.0 << "0,00";
    QTest::newRow("small") << 12.5 << "12,50";
    QTest::newRow("thousands") << 1234.5 << "1.234,50";
    QTest::newRow("negative") << -98765.432 << "-98.765,43";
    QTest::newRow("negative-zero") << -0.001 << "0,00";
}

void TstSqlPageModel::numberFormat()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(DisplayFormat::apply(value, DisplayFormat::journalNumber()), expected);
}

QTEST_GUILESS_MAIN(TstSqlPageModel)
#include "tst_sqlpagemodel.moc"
