// Statement texts per dialect: translation of the local dialect, the base table of a statement,
// row limits, literals and identifiers, and the German number formats of the fields.

#include "dataaccess/sqldialect.h"
#include "dataaccess/tqemfield.h"
#include "dataaccess/tqemquery.h"

#include <QtTest>

class TstDialect : public QObject {
    Q_OBJECT
private slots:
    void translate_data();
    void translate();
    void tableName_data();
    void tableName();
    void topSelect_data();
    void topSelect();
    void literals_data();
    void literals();
    void numberFormat_data();
    void numberFormat();
};

void TstDialect::translate_data()
{
    QTest::addColumn<int>("serverType");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");
    QTest::newRow("db-suffix-and-wahr") << 0 << "SELECT * FROM Adressen.db WHERE Aktiv=WAHR ORDER BY Name"
                                        << "SELECT * FROM Adressen WHERE Aktiv=1 ORDER BY Name";
    QTest::newRow("inside-words") << 0 << "SELECT Wahrheit, Falschgeld FROM T" << "SELECT 1heit, 0geld FROM T";
    QTest::newRow("english-any-case") << 1 << "WHERE a=true OR b=False" << "WHERE a=1 OR b=0";
    QTest::newRow("db-before-cr") << 0 << "SELECT * FROM Land.DB\rWHERE x=1" << "SELECT * FROM Land\rWHERE x=1";
    QTest::newRow("db-at-end-stays") << 2 << "SELECT * FROM Land.db" << "SELECT * FROM Land.db";
    QTest::newRow("db-before-comma-stays") << 0 << "SELECT * FROM Land.db,Mandant.db WHERE 1=1"
                                           << "SELECT * FROM Land.db,Mandant WHERE 1=1";
    QTest::newRow("mysql-brackets-isnull") << 2 << "SELECT [Name] FROM Adressen.DB WHERE (isnull([Ort],'')='') OR isnull(x,0)=0"
                                           << "SELECT `Name` FROM Adressen WHERE (isnull(`Ort`,'')='') OR IFNULL(x,0)=0";
    QTest::newRow("mssql-keeps-brackets-isnull") << 0 << "SELECT [Name] FROM A WHERE ISNULL([Ort],'')=''"
                                                 << "SELECT [Name] FROM A WHERE ISNULL([Ort],'')=''";
    QTest::newRow("mssql-dates-untouched") << 0 << "WHERE Datum >= '20240101' AND UPPER(Name) LIKE 'A%'"
                                           << "WHERE Datum >= '20240101' AND UPPER(Name) LIKE 'A%'";
    QTest::newRow("sqlite-isnull-keeps-brackets") << 3 << "SELECT [Name] FROM Buchungen.db WHERE ISNULL(a,0)=0"
                                                  << "SELECT [Name] FROM Buchungen WHERE IFNULL(a,0)=0";
    QTest::newRow("text-constants-too") << 2 << "WHERE Text='wahr oder falsch'" << "WHERE Text='1 oder 0'";
}

void TstDialect::translate()
{
    QFETCH(int, serverType);
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    QCOMPARE(TQemQuery::TranslateBDEToADO(sql, serverType), expected);
}

void TstDialect::tableName_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");
    QTest::newRow("where-follows") << "SELECT * FROM Adressen WHERE Aktiv=1" << "Adressen";
    QTest::newRow("ends-with-name") << "SELECT * FROM Adressen" << "";
    QTest::newRow("keeps-db") << "select * from Auftrag.DB,Land.DB where 1=1" << "Auftrag.DB,Land.DB";
    QTest::newRow("join") << "SELECT a.*, l.Name FROM Adressen a JOIN Land l ON l.ID=a.Land" << "Adressen";
    QTest::newRow("parenthesis-removed") << "SELECT * FROM (Adressen) WHERE 1=1" << "Adressen)";
    QTest::newRow("no-from") << "SELECT 1" << "";
}

void TstDialect::tableName()
{
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    QCOMPARE(TQemQuery::TableNameOf(sql), expected);
}

void TstDialect::topSelect_data()
{
    QTest::addColumn<int>("serverType");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("expected");
    QTest::newRow("mssql-top") << 0 << "select * from Land" << 50 << "SELECT TOP 50 * from Land";
    QTest::newRow("jet-top") << 1 << "SELECT Name FROM Land" << 10 << "SELECT TOP 10 Name FROM Land";
    QTest::newRow("mssql-replace-top") << 0 << "SELECT TOP 5 * FROM Land" << 100 << "SELECT TOP 100 * FROM Land";
    QTest::newRow("mssql-remove-top") << 0 << "SELECT TOP 5 * FROM Land" << -1 << "SELECT * FROM Land";
    QTest::newRow("mssql-no-limit") << 0 << "SELECT * FROM Land" << 0 << "SELECT * FROM Land";
    QTest::newRow("mysql-limit") << 2 << "SELECT * FROM Land" << 50 << "SELECT * FROM Land LIMIT 50";
    QTest::newRow("mysql-replace-limit") << 2 << "SELECT * FROM Land limit 5" << 7 << "SELECT * FROM Land  LIMIT 7";
    QTest::newRow("mysql-remove-limit") << 2 << "SELECT * FROM Land LIMIT 5" << -1 << "SELECT * FROM Land ";
    QTest::newRow("sqlite-limit") << 3 << "SELECT * FROM Buchungen" << 3 << "SELECT * FROM Buchungen LIMIT 3";
    QTest::newRow("not-a-select") << 0 << "UPDATE Land SET x=1" << 5 << "UPDATE Land SET x=1";
}

void TstDialect::topSelect()
{
    QFETCH(int, serverType);
    QFETCH(QString, sql);
    QFETCH(int, limit);
    QFETCH(QString, expected);
    QCOMPARE(TQemQuery::TopSelectText(sql, limit, serverType), expected);
}

void TstDialect::literals_data()
{
    QTest::addColumn<int>("serverType");
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("quotedText");
    QTest::addColumn<QString>("dateLiteral");
    QTest::addColumn<QString>("dateTimeLiteral");
    QTest::addColumn<QString>("nullFunction");
    QTest::newRow("mssql") << 0 << "[Name]" << "O'Brien \\x" << "'O''Brien \\x'" << "'20241231'" << "'20241231 13:05:09'" << "ISNULL";
    QTest::newRow("jet") << 1 << "[Name]" << "a'b" << "'a''b'" << "'20241231'" << "'20241231 13:05:09'" << "ISNULL";
    QTest::newRow("mysql") << 2 << "`Name`" << "O'Brien \\' x" << "'O''Brien \\\\'' x'" << "'2024-12-31'" << "'2024-12-31 13:05:09'" << "IFNULL";
    QTest::newRow("sqlite") << 3 << "[Name]" << "a'b\\" << "'a''b\\'" << "'2024-12-31'" << "'2024-12-31 13:05:09'" << "IFNULL";
}

void TstDialect::literals()
{
    QFETCH(int, serverType);
    QFETCH(QString, identifier);
    QFETCH(QString, text);
    QFETCH(QString, quotedText);
    QFETCH(QString, dateLiteral);
    QFETCH(QString, dateTimeLiteral);
    QFETCH(QString, nullFunction);
    const SqlDialect d(serverType);
    QCOMPARE(d.quoteIdentifier(QStringLiteral("Name")), identifier);
    QCOMPARE(d.quoteString(text), quotedText);
    QCOMPARE(d.dateLiteral(QDate(2024, 12, 31)), dateLiteral);
    QCOMPARE(d.dateTimeLiteral(QDateTime(QDate(2024, 12, 31), QTime(13, 5, 9))), dateTimeLiteral);
    QCOMPARE(d.nullFunction(), nullFunction);
}

void TstDialect::numberFormat_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    const QString journal = QStringLiteral("#,###,###,##0.00");
    QTest::newRow("thousands") << 1234.5 << journal << "1.234,50";
    QTest::newRow("millions") << 1234567.891 << journal << "1.234.567,89";
    QTest::newRow("zero") << 0.0 << journal << "0,00";
    QTest::newRow("small-negative-rounds-to-zero") << -0.004 << journal << "0,00";
    QTest::newRow("negative") << -12.5 << journal << "-12,50";
    QTest::newRow("no-grouping") << 1234.5 << "0.0" << "1234,5";
    QTest::newRow("optional-decimals") << 2.5 << "0.##" << "2,5";
}

void TstDialect::numberFormat()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(QemFormatFloat(value, pattern), expected);
}

QTEST_GUILESS_MAIN(TstDialect)
#include "tst_dialect.moc"
