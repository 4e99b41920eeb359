#include "dataaccess/filterexpression.h"

#include <QDate>
#include <QtTest>

// One journal row as the SQLite driver hands it over: integers, doubles, texts, ISO date texts.
namespace {

const QStringList columns = {"BuchNr", "Soll", "Haben", "Buchungstext", "Brutto", "Datum",
                             "Export", "Kostenstelle1", "Beleg"};

QVariant valueAt(int column)
{
    static const QVariantList row = {qlonglong(17),   qlonglong(10001), qlonglong(8400),
                                     QStringLiteral("Rechnung 4711 Müller's Laden"),
                                     119.0,           QStringLiteral("2024-03-15"),
                                     qlonglong(0),    QVariant(),
                                     QDate(2024, 3, 15)};
    return row.value(column);
}

bool evaluate(const QString& text)
{
    FilterExpression e = FilterExpression::parse(text);
    e.bind(columns);
    return e.matches(valueAt);
}

}  // namespace

class TstFilterExpression : public QObject {
    Q_OBJECT
private slots:
    void matches_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("number equal") << "Soll = 10001" << true;
        QTest::newRow("number as text") << "Haben='8400'" << true;
        QTest::newRow("not equal") << "Haben <> 8400" << false;
        QTest::newRow("less") << "Brutto < 119.5" << true;
        QTest::newRow("greater equal") << "Brutto >= 119" << true;
        QTest::newRow("and") << "Soll = 10001 AND Haben = 8400" << true;
        QTest::newRow("or") << "Soll = 1 or Haben = 8400" << true;
        QTest::newRow("not") << "NOT (Haben = 8400)" << false;
        QTest::newRow("precedence and before or") << "Soll = 1 AND Haben = 1 OR BuchNr = 17" << true;
        QTest::newRow("parentheses") << "Soll = 1 AND (Haben = 1 OR BuchNr = 17)" << false;
        QTest::newRow("text ignores case") << "Buchungstext = 'rechnung 4711 müller''s laden'" << true;
        QTest::newRow("doubled quote") << "Buchungstext <> 'Müller''s'" << true;
        QTest::newRow("prefix") << "Buchungstext = 'Rech*'" << true;
        QTest::newRow("prefix miss") << "Buchungstext = 'Gut*'" << false;
        QTest::newRow("prefix negated") << "Buchungstext <> 'Gut*'" << true;
        QTest::newRow("like") << "Buchungstext LIKE '%4711%'" << true;
        QTest::newRow("not like") << "Buchungstext NOT LIKE '%4712%'" << true;
        QTest::newRow("is null") << "Kostenstelle1 IS NULL" << true;
        QTest::newRow("is not null") << "Kostenstelle1 is not null" << false;
        QTest::newRow("equals null") << "Kostenstelle1 = NULL" << true;
        QTest::newRow("null compares false") << "Kostenstelle1 > 0" << false;
        QTest::newRow("false keyword") << "Export = FALSE" << true;
        QTest::newRow("true keyword") << "Export = true" << false;
        QTest::newRow("bare field") << "Export" << false;
        QTest::newRow("german date text") << "Datum = '15.03.2024'" << true;
        QTest::newRow("date range") << "Datum >= '01.03.2024' AND Datum <= '31.03.2024'" << true;
        QTest::newRow("hash date") << "Datum < #2024-03-16#" << true;
        QTest::newRow("typed date") << "Beleg = '15.03.2024'" << true;
        QTest::newRow("bracket field") << "[Soll] = 10001" << true;
        QTest::newRow("field name any case") << "soll = 10001" << true;
        QTest::newRow("negative number") << "Brutto > -50" << true;
    }
    void matches()
    {
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QCOMPARE(evaluate(text), expected);
    }

    void errors_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown field") << "Konto = 1" << "Unbekanntes Feld im Filter: Konto";
        QTest::newRow("open quote") << "Buchungstext = 'abc" << "Position 16";
        QTest::newRow("missing parenthesis") << "(Soll = 1" << "\")\" erwartet";
        QTest::newRow("dangling and") << "Soll = 1 AND" << "Feldname oder Wert erwartet";
        QTest::newRow("two values") << "Soll 1" << "unerwartetes";
        QTest::newRow("bad character") << "Soll = 1 ; DROP" << "unerwartetes Zeichen";
        QTest::newRow("bad date") << "Datum = #gestern#" << "ungültiges Datum";
    }
    void errors()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        try {
            evaluate(text);
            QFAIL("no error raised");
        } catch (const FilterError& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
    }

    void unboundExpressionMatchesNothing()
    {
        const FilterExpression e = FilterExpression::parse(QStringLiteral("Soll = 10001"));
        QVERIFY(!e.matches(valueAt));
        QCOMPARE(e.fieldNames(), QStringList{"Soll"});
    }
};

QTEST_GUILESS_MAIN(TstFilterExpression)
#include "tst_filterexpression.moc"
