// Statement texts of the Paradox-style tables per dialect: opening, ranges, key search, literals,
// fallback statements, table statements and the change log.

#include "dataaccess/tablesql.h"
#include "dataaccess/tqemquery.h"

#include <QtTest>

namespace {

const QChar k127(0x7F);

// Columns of the small tables the cases use.
TableSql makeSql(int serverType, const QString& table = QStringLiteral("Auftrag.DB"))
{
    TableSql sql;
    sql.serverType = serverType;
    sql.tableName = table;
    sql.firstColumn = QStringLiteral("ID");
    sql.translate = [serverType](const QString& t) { return TQemQuery::TranslateBDEToADO(t, serverType); };
    sql.columnKind = [](const QString& name) -> std::optional<TFieldType> {
        static const QHash<QString, TFieldType> kinds{
            {QStringLiteral("ID"), ftAutoInc},       {QStringLiteral("MANDANT"), ftInteger},
            {QStringLiteral("ART"), ftInteger},      {QStringLiteral("NAME"), ftString},
            {QStringLiteral("DATUM"), ftDate},       {QStringLiteral("AUFTRAG"), ftInteger},
            {QStringLiteral("ADRESSNUMMER"), ftInteger}, {QStringLiteral("BETRAG"), ftFloat},
        };
        const auto it = kinds.find(name.toUpper());
        return it == kinds.end() ? std::nullopt : std::optional<TFieldType>(*it);
    };
    return sql;
}

}  // namespace

class TstTableSql : public QObject {
    Q_OBJECT
private slots:
    void baseName_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("base");
        QTest::newRow("upper suffix") << "Land.DB" << "Land";
        QTest::newRow("lower suffix") << "Mandant.db" << "Mandant";
        QTest::newRow("no suffix") << "Positionen" << "Positionen";
    }
    void baseName()
    {
        QFETCH(QString, table);
        QFETCH(QString, base);
        QCOMPARE(TableSql::baseName(table), base);
    }

    void openStatement_data()
    {
        QTest::addColumn<int>("serverType");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("index");
        QTest::addColumn<QString>("master");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("select");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("expected");
        const QString adr = QStringLiteral("Adressen.DB");
        const QString idx = QStringLiteral("Mandant;Adressnummer");
        QTest::newRow("mssql index order") << 0 << adr << idx << "" << "" << "" << "" << -1
                                           << "SELECT * FROM Adressen ORDER BY [Mandant],[Adressnummer]";
        QTest::newRow("mysql backticks") << 2 << adr << idx << "" << "" << "" << "" << -1
                                         << "SELECT * FROM Adressen ORDER BY `Mandant`,`Adressnummer`";
        QTest::newRow("sqlite brackets") << 3 << adr << idx << "" << "" << "" << "" << 0
                                         << "SELECT * FROM Adressen ORDER BY [Mandant],[Adressnummer]";
        QTest::newRow("no order by <<") << 0 << adr << idx << "" << "" << "<<" << "" << -1 << "SELECT * FROM Adressen";
        QTest::newRow("own order") << 2 << adr << idx << "" << "" << "[Name] DESC" << "" << -1
                                   << "SELECT * FROM Adressen ORDER BY `Name` DESC";
        QTest::newRow("where translated") << 2 << adr << idx << "" << "[Aktiv]=WAHR" << "" << "" << -1
                                          << "SELECT * FROM Adressen WHERE `Aktiv`=1 ORDER BY `Mandant`,`Adressnummer`";
        QTest::newRow("detail") << 0 << "Positionen.DB" << "Auftrag;Position" << "Auftrag" << "" << "" << "" << -1
                                << "SELECT * FROM Positionen WHERE Auftrag=:Auftrag ORDER BY [Auftrag],[Position]";
        QTest::newRow("detail with where") << 0 << "Positionen.DB" << "Auftrag" << "Auftrag" << "Menge>0" << "" << ""
                                           << -1 << "SELECT * FROM Positionen WHERE Auftrag=:Auftrag AND (Menge>0) ORDER BY [Auftrag]";
        QTest::newRow("join prefix") << 0 << "Auftrag.DB" << "Auftrag" << "" << "" << ""
                                     << "SELECT Auftrag.* FROM Auftrag join Adressen on Auftrag.Kunde=Adressen.ID" << -1
                                     << "SELECT Auftrag.* FROM Auftrag join Adressen on Auftrag.Kunde=Adressen.ID ORDER BY [Auftrag].[Auftrag]";
        QTest::newRow("mssql top") << 0 << "Land.DB" << "Land" << "" << "" << "" << "" << 100
                                   << "SELECT TOP 100 * FROM Land ORDER BY [Land]";
        QTest::newRow("mysql limit") << 2 << "Land.DB" << "Land" << "" << "" << "" << "" << 100
                                     << "SELECT * FROM Land ORDER BY `Land` LIMIT 100";
        QTest::newRow("sqlite limit") << 3 << "Land.DB" << "Land" << "" << "" << "" << "" << 100
                                      << "SELECT * FROM Land ORDER BY [Land] LIMIT 100";
        QTest::newRow("existing top kept") << 0 << "Land.DB" << "" << "" << "" << "<<" << "SELECT TOP 5 * FROM Land" << 100
                                           << "SELECT TOP 5 * FROM Land";
    }
    void openStatement()
    {
        QFETCH(int, serverType);
        QFETCH(QString, table);
        TableSql sql = makeSql(serverType, table);
        QFETCH(QString, where);
        QFETCH(QString, order);
        QFETCH(QString, select);
        sql.sqlWhere = where;
        sql.sqlOrder = order;
        sql.sqlSelect = select;
        QFETCH(QString, index);
        QFETCH(QString, master);
        QFETCH(int, limit);
        QTEST(sql.openStatement(index, master, limit), "expected");
    }

    void topSelect_data()
    {
        QTest::addColumn<int>("serverType");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("expected");
        QTest::newRow("top replaced") << 0 << "SELECT TOP 5 * FROM Land" << 100 << "SELECT TOP 100 * FROM Land";
        QTest::newRow("top removed") << 0 << "SELECT TOP 100 * FROM Land" << -1 << "SELECT * FROM Land";
        QTest::newRow("limit replaced") << 2 << "SELECT * FROM Land LIMIT 5" << 7 << "SELECT * FROM Land LIMIT 7";
        QTest::newRow("no select") << 0 << "DELETE FROM Land" << 5 << "DELETE FROM Land";
    }
    void topSelect()
    {
        QFETCH(int, serverType);
        QFETCH(QString, statement);
        QFETCH(int, limit);
        QTEST(TableSql::topSelect(statement, limit, serverType).simplified(), "expected");
    }

    void rangeStatement_data()
    {
        QTest::addColumn<int>("serverType");
        QTest::addColumn<QString>("index");
        QTest::addColumn<QVariantList>("starts");
        QTest::addColumn<QVariantList>("ends");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("artIn");
        QTest::addColumn<bool>("noMandant");
        QTest::addColumn<QString>("expectedWhere");  // simplified text between WHERE and ORDER BY

        const QString ma = QStringLiteral("Mandant;Art");
        const QString nm = QStringLiteral("Name");
        const QVariantList s7{7, 0}, e7{7, 10000};
        QTest::newRow("interval mssql") << 0 << ma << s7 << e7 << "" << "" << false
                                        << "([Mandant]=7) AND ([Art] BETWEEN 0 AND 10000)";
        QTest::newRow("interval mysql") << 2 << ma << s7 << e7 << "" << "" << false
                                        << "(`Mandant`=7) AND (`Art` BETWEEN 0 AND 10000)";
        QTest::newRow("with sql_where") << 2 << ma << s7 << e7 << "[Aktiv]=WAHR" << "" << false
                                        << "(`Aktiv`=1) AND ((`Mandant`=7) AND (`Art` BETWEEN 0 AND 10000))";
        QTest::newRow("where replaces") << 0 << ma << s7 << e7 << "<<Art=3" << "" << false << "(Art=3)";
        QTest::newRow("no mandant") << 0 << ma << s7 << e7 << "" << "" << true << "([Art] BETWEEN 0 AND 10000)";
        QTest::newRow("art in equal") << 0 << ma << QVariantList{7, 1} << QVariantList{7, 1} << "" << "1,2,3" << false
                                      << "([Mandant]=7) AND ([Art] IN (1,2,3) )";
        QTest::newRow("art in interval") << 0 << ma << s7 << e7 << "" << "1,2" << false
                                         << "([Mandant]=7) AND ([Art] BETWEEN 0 AND 10000 OR ([Art] IN (1,2)) )";
        QTest::newRow("prefix") << 0 << nm << QVariantList{"Mei"} << QVariantList{QString("Mei") + k127} << "" << ""
                                << false << "([Name] LIKE 'Mei%')";
        QTest::newRow("prefix mysql") << 2 << nm << QVariantList{"Mei"} << QVariantList{QString("Mei") + k127} << ""
                                      << "" << false << "(`Name` LIKE 'Mei%')";
        QTest::newRow("127 alone") << 0 << "Mandant;Name" << QVariantList{7, ""} << QVariantList{7, QString(k127)}
                                   << "" << "" << false << "([Mandant]=7)";
        QTest::newRow("words all") << 0 << nm << QVariantList{""} << QVariantList{QString("Mei*er") + k127} << "" << ""
                                   << false << "(([Name] LIKE '%Mei%') AND ([Name] LIKE '%er%'))";
        QTest::newRow("words any") << 0 << nm << QVariantList{""} << QVariantList{QString("Mei~Ma") + k127} << "" << ""
                                   << false << "(([Name] LIKE '%Mei%') OR ([Name] LIKE '%Ma%'))";
        QTest::newRow("words blank") << 0 << nm << QVariantList{""} << QVariantList{QString("*") + k127} << "" << ""
                                     << false << "([Name] LIKE '*%')";
        QTest::newRow("empty string mssql") << 0 << nm << QVariantList{""} << QVariantList{""} << "" << "" << false
                                            << "( ISNULL([Name],'')='')";
        QTest::newRow("empty string mysql") << 2 << nm << QVariantList{""} << QVariantList{""} << "" << "" << false
                                            << "( IFNULL(`Name`,'')='')";
        QTest::newRow("empty string sqlite") << 3 << nm << QVariantList{""} << QVariantList{""} << "" << "" << false
                                             << "( IFNULL([Name],'')='')";
        QTest::newRow("null numeric") << 0 << "Mandant" << QVariantList{QVariant()} << QVariantList{QVariant()} << ""
                                      << "" << false << "([Mandant] IS NULL)";
        QTest::newRow("quote doubled") << 0 << nm << QVariantList{"O'Neil"} << QVariantList{"O'Neil"} << "" << ""
                                       << false << "([Name]='O''Neil')";
        QTest::newRow("mysql backslash") << 2 << nm << QVariantList{"a\\b\"c"} << QVariantList{"a\\b\"c"} << "" << ""
                                         << false << "(`Name`='a\\\\b\"c')";
        QTest::newRow("dates mysql") << 2 << "Datum" << QVariantList{"01.12.2026"} << QVariantList{"31.12.2026"} << ""
                                     << "" << false << "(`Datum` BETWEEN '2026-12-01' AND '2026-12-31')";
        QTest::newRow("dates sqlite") << 3 << "Datum" << QVariantList{QDate(2026, 12, 1)} << QVariantList{QDate(2026, 12, 31)}
                                      << "" << "" << false << "([Datum] BETWEEN '2026-12-01' AND '2026-12-31')";
        QTest::newRow("float with point") << 0 << "Betrag" << QVariantList{1.5} << QVariantList{2.25} << "" << "" << false
                                          << "([Betrag] BETWEEN 1.5 AND 2.25)";
    }
    void rangeStatement()
    {
        QFETCH(int, serverType);
        TableSql sql = makeSql(serverType);
        QFETCH(QString, where);
        QFETCH(QString, artIn);
        QFETCH(bool, noMandant);
        sql.sqlWhere = where;
        sql.sqlArtIn = artIn;
        sql.noMandant = noMandant;
        QFETCH(QString, index);
        QFETCH(QVariantList, starts);
        QFETCH(QVariantList, ends);
        const QString stmt = sql.rangeStatement(index, starts, ends, false);
        const QString head = QStringLiteral("SELECT * FROM Auftrag WHERE ");
        QVERIFY2(stmt.startsWith(head), qPrintable(stmt));
        const int order = stmt.indexOf(QLatin1String(" ORDER BY "));
        QVERIFY2(order > 0, qPrintable(stmt));
        QTEST(stmt.mid(head.size(), order - head.size()).trimmed(), "expectedWhere");
    }

    void rangeOnSqlServerDates()
    {
        TableSql sql = makeSql(0);
        sql.convertDateLiterals = 1;
        QCOMPARE(sql.rangeCondition(QStringLiteral("Datum"), {QStringLiteral("01.12.2026")},
                                    {QStringLiteral("31.12.2026 12:30:00")}, false),
                 QStringLiteral("([Datum] BETWEEN '20261201' AND '20261231 12:30:00')"));
        sql.convertDateLiterals = 0;  // a German server reads the dates as they are
        QCOMPARE(sql.rangeCondition(QStringLiteral("Datum"), {QStringLiteral("01.12.2026")},
                                    {QStringLiteral("31.12.2026")}, false),
                 QStringLiteral("([Datum] BETWEEN '01.12.2026' AND '31.12.2026')"));
    }

    void fulltextMatch()
    {
        TableSql sql = makeSql(2);
        sql.sqlFulltext = QStringList{QStringLiteral("name")};
        QCOMPARE(sql.rangeCondition(QStringLiteral("Name"), {QString()}, {QString("Mei*er") + k127}, false),
                 QStringLiteral("MATCH([Name]) AGAINST(' +Mei +er' IN BOOLEAN MODE)"));
        QCOMPARE(sql.rangeCondition(QStringLiteral("Name"), {QString()}, {QString("Mei~er") + k127}, false),
                 QStringLiteral("MATCH([Name]) AGAINST(' Mei er' IN BOOLEAN MODE)"));
        sql.serverType = 3;  // no full-text index outside MySQL: word conditions
        QCOMPARE(sql.rangeCondition(QStringLiteral("Name"), {QString()}, {QString("Mei") + QChar('*') + k127}, false),
                 QStringLiteral("(([Name] LIKE '%Mei%'))"));
    }

    void keyStatement_data()
    {
        QTest::addColumn<int>("serverType");
        QTest::addColumn<QString>("index");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("nearest");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two fields") << 0 << "Mandant;Adressnummer" << QVariantList{7, 4711} << ""
                                    << false << "SELECT * FROM Auftrag WHERE ([Mandant]=7) AND ([Adressnummer]=4711) ORDER BY [Mandant],[Adressnummer]";
        QTest::newRow("string mysql") << 2 << "Name" << QVariantList{"Meier"} << ""
                                      << false << "SELECT * FROM Auftrag WHERE (`Name`='Meier') ORDER BY `Name`";
        QTest::newRow("empty numeric") << 0 << "Mandant" << QVariantList{QString()} << ""
                                       << false << "SELECT * FROM Auftrag WHERE ([Mandant] IS NULL) ORDER BY [Mandant]";
        QTest::newRow("fewer values") << 3 << "Mandant;Art" << QVariantList{7} << "Art>0"
                                      << false << "SELECT * FROM Auftrag WHERE (Art>0) AND (([Mandant]=7)) ORDER BY [Mandant],[Art]";
        QTest::newRow("no index") << 0 << "" << QVariantList{12} << "" << false << "SELECT * FROM Auftrag WHERE ID = 12";
        // GotoNearest: a prefix on text, a lower bound on numbers (no "%" after a number).
        QTest::newRow("nearest text") << 2 << "Mandant;Name" << QVariantList{7, "Mei"} << "" << true
                                      << "SELECT * FROM Auftrag WHERE (`Mandant`=7) AND (`Name` LIKE 'Mei%') ORDER BY `Mandant`,`Name`";
        QTest::newRow("nearest number") << 0 << "Mandant;Adressnummer" << QVariantList{7, 1003} << "" << true
                                        << "SELECT * FROM Auftrag WHERE ([Mandant]=7) AND ([Adressnummer]>=1003) ORDER BY [Mandant],[Adressnummer]";
    }
    void keyStatement()
    {
        QFETCH(int, serverType);
        TableSql sql = makeSql(serverType);
        QFETCH(QString, where);
        sql.sqlWhere = where;
        QFETCH(QString, index);
        QFETCH(QVariantList, values);
        QFETCH(bool, nearest);
        QTEST(sql.keyStatement(index, values, nearest), "expected");
    }

    void normalizeDateLiteral_data()
    {
        QTest::addColumn<int>("serverType");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("date mysql") << 2 << "1.2.2026" << "2026-02-01";
        QTest::newRow("date mssql") << 0 << "01.02.2026" << "20260201";
        QTest::newRow("date time") << 2 << "01.02.2026 13:05:09" << "2026-02-01 13:05:09";
        QTest::newRow("time") << 0 << "13:05:09" << "13:05";
        QTest::newRow("short left") << 2 << "1.2." << "1.2.";
        QTest::newRow("not a date") << 2 << "12.34.56" << "12.34.56";
        QTest::newRow("letters first") << 2 << "Nr.1.2" << "Nr.1.2";
        QTest::newRow("iso untouched") << 2 << "2026-02-01" << "2026-02-01";
        QTest::newRow("one dot") << 2 << "12.5000" << "12.5000";
    }
    void normalizeDateLiteral()
    {
        QFETCH(int, serverType);
        QFETCH(QString, text);
        QTEST(TableSql::normalizeDateLiteral(text, serverType), "expected");
    }

    void parseDateLenient_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("short date") << "31.12.2024" << QDate(2024, 12, 31);
        QTest::newRow("no zeros") << "1.2.2026" << QDate(2026, 2, 1);
        QTest::newRow("two digit year") << "1.2.26" << QDate(2026, 2, 1);
        QTest::newRow("slash day first") << "31/12/2024" << QDate(2024, 12, 31);
        QTest::newRow("iso") << "2024-12-31" << QDate(2024, 12, 31);
        QTest::newRow("invalid day") << "31.02.2024" << QDate();
        QTest::newRow("letters") << "heute" << QDate();
        QTest::newRow("letters in part") << "1.x.2024" << QDate();
    }
    void parseDateLenient()
    {
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        if (expected.isValid()) {
            QCOMPARE(ParseDateLenient(text), expected);
        } else {
            try {
                ParseDateLenient(text);
                QFAIL("no error for an impossible date");
            } catch (const DateParseError& e) {
                QVERIFY(e.text().contains(QStringLiteral("kein gültiges Datum")));
            }
        }
    }

    void fbegrenz()
    {
        const TableSql sql = makeSql(0);
        QCOMPARE(sql.fbegrenz(QStringLiteral("Name"), QStringLiteral("x")), QStringLiteral("'"));
        QCOMPARE(sql.fbegrenz(QStringLiteral("datum"), QStringLiteral("x")), QStringLiteral("'"));
        QCOMPARE(sql.fbegrenz(QStringLiteral("Mandant"), QStringLiteral("7")), QString());
        QCOMPARE(sql.fbegrenz(QStringLiteral("Unbekannt"), QStringLiteral("7")), QStringLiteral("'"));
        QCOMPARE(sql.fbegrenz(QStringLiteral("Unbekannt"), QStringLiteral("NULL")), QString());
    }

    void fieldToSqlLiteral_data()
    {
        QTest::addColumn<int>("serverType");
        QTest::addColumn<int>("convert");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("null") << 2 << -1 << int(ftString) << QVariant() << "NULL";
        QTest::newRow("empty text") << 2 << -1 << int(ftString) << QVariant(QString()) << "NULL";
        QTest::newRow("quote") << 0 << -1 << int(ftString) << QVariant("O'Neil") << "'O''Neil'";
        QTest::newRow("mysql backslash") << 2 << -1 << int(ftString) << QVariant("C:\\x") << "'C:\\\\x'";
        QTest::newRow("mysql double quote") << 2 << -1 << int(ftString) << QVariant("12\" Rohr")
                                            << "CONCAT('12',CHAR(34),' Rohr')";
        QTest::newRow("mssql double quote") << 0 << -1 << int(ftString) << QVariant("12\" Rohr") << "'12\" Rohr'";
        QTest::newRow("integer") << 2 << -1 << int(ftInteger) << QVariant(42) << "42";
        QTest::newRow("float comma") << 0 << -1 << int(ftFloat) << QVariant("12,5") << "12.5";
        QTest::newRow("float") << 2 << -1 << int(ftCurrency) << QVariant(19.99) << "19.99";
        QTest::newRow("bool true") << 0 << -1 << int(ftBoolean) << QVariant(true) << "1";
        QTest::newRow("bool wahr") << 0 << -1 << int(ftBoolean) << QVariant("WAHR") << "1";
        QTest::newRow("bool falsch") << 0 << -1 << int(ftBoolean) << QVariant("falsch") << "0";
        QTest::newRow("date mysql") << 2 << -1 << int(ftDate) << QVariant(QDate(2026, 12, 11)) << "'2026-12-11'";
        QTest::newRow("date convert") << 0 << 1 << int(ftDate) << QVariant(QDate(2026, 12, 11)) << "'20261211'";
        QTest::newRow("date german server") << 0 << 0 << int(ftDate) << QVariant(QDate(2026, 12, 11)) << "'11.12.2026'";
        QTest::newRow("datetime mysql") << 2 << -1 << int(ftDateTime) << QVariant(QDateTime(QDate(2026, 12, 11), QTime(8, 5)))
                                        << "'2026-12-11 08:05:00'";
        QTest::newRow("datetime convert") << 0 << 1 << int(ftDateTime)
                                          << QVariant(QDateTime(QDate(2026, 12, 11), QTime(8, 5))) << "'20261211 08:05:00'";
        QTest::newRow("time") << 2 << -1 << int(ftTime) << QVariant(QTime(8, 5, 1)) << "'08:05:01'";
        QTest::newRow("date text") << 2 << -1 << int(ftDate) << QVariant("11.12.2026") << "'2026-12-11'";
    }
    void fieldToSqlLiteral()
    {
        QFETCH(int, serverType);
        QFETCH(int, convert);
        QFETCH(int, kind);
        QFETCH(QVariant, value);
        QTEST(TableSql::fieldToSqlLiteral(TFieldType(kind), value, serverType, convert), "expected");
    }

    void fallbackStatements_data()
    {
        QTest::addColumn<int>("serverType");
        QTest::addColumn<QString>("insert");
        QTest::addColumn<QString>("update");
        QTest::newRow("mssql") << 0 << "INSERT INTO [Auftrag] ([Name],[Betrag],[Qem_CHANGE_LOG]) VALUES ('Neu',1.5,'x#~#')"
                               << "UPDATE [Auftrag] SET [Name]='Neu',[Qem_CHANGE_LOG]='x#~#' WHERE ID=5";
        QTest::newRow("mysql") << 2 << "INSERT INTO `Auftrag` (`Name`,`Betrag`,`Qem_CHANGE_LOG`) VALUES ('Neu',1.5,'x#~#')"
                               << "UPDATE `Auftrag` SET `Name`='Neu',`Qem_CHANGE_LOG`='x#~#' WHERE ID=5";
    }
    void fallbackStatements()
    {
        QFETCH(int, serverType);
        const TableSql sql = makeSql(serverType);
        const QList<PostColumn> cols{
            {QStringLiteral("ID"), ftAutoInc, 5, 5},
            {QStringLiteral("Name"), ftString, QStringLiteral("Alt"), QStringLiteral("Neu")},
            {QStringLiteral("Betrag"), ftFloat, 1.5, 1.5},
            {QStringLiteral("Qem_CHANGE_LOG"), ftMemo, QString(), QStringLiteral("x#~#")},
        };
        QTEST(sql.fallbackInsert(cols, true), "insert");
        QTEST(sql.fallbackUpdate(cols), "update");
        QList<PostColumn> unchanged = cols;
        unchanged[1].newValue = unchanged[1].oldValue;
        unchanged[3].newValue = unchanged[3].oldValue;
        QCOMPARE(sql.fallbackUpdate(unchanged), QString());
    }

    void tableStatements_data()
    {
        QTest::addColumn<int>("serverType");
        QTest::addColumn<QString>("addIndex");
        QTest::addColumn<QString>("deleteIndex");
        QTest::addColumn<QString>("exists");
        QTest::addColumn<QString>("rename");
        QTest::newRow("mssql") << 0 << "CREATE INDEX [Ix_Auftrag] ON [Positionen] ([Auftrag],[Position]) ON [PRIMARY]"
                               << "DROP INDEX 'Positionen.Ix_Auftrag'"
                               << "select count(*) from sysobjects where name='Positionen'"
                               << "EXEC sp_rename 'Positionen', 'Pos2'";
        QTest::newRow("jet") << 1 << "CREATE INDEX [Ix_Auftrag] ON [Positionen] ([Auftrag],[Position])"
                             << "DROP INDEX 'Positionen.Ix_Auftrag'"
                             << "select count(*) from sysobjects where name='Positionen'"
                             << "SELECT [Positionen].* INTO [Pos2] FROM [Positionen]";
        QTest::newRow("mysql") << 2 << "CREATE INDEX `Ix_Auftrag` ON `Positionen` (`Auftrag`,`Position`)"
                               << "DROP INDEX `Ix_Auftrag` ON `Positionen`" << "show tables like 'Positionen'"
                               << "ALTER TABLE `Positionen` RENAME `Pos2`";
        QTest::newRow("sqlite") << 3 << "CREATE INDEX [Positionen_Ix_Auftrag] ON [Positionen] ([Auftrag],[Position])"
                                << "DROP INDEX [Positionen_Ix_Auftrag]"
                                << "select count(*) from sqlite_master where type='table' and name='Positionen' COLLATE NOCASE"
                                << "ALTER TABLE [Positionen] RENAME TO [Pos2]";
    }
    void tableStatements()
    {
        QFETCH(int, serverType);
        const TableSql sql = makeSql(serverType, QStringLiteral("Positionen.DB"));
        QTEST(sql.addIndexStatement(QStringLiteral(" Ix-Auftrag "), QStringLiteral("Auftrag;Position"), serverType == 0),
              "addIndex");
        QTEST(sql.deleteIndexStatement(sql.storedIndexName(QStringLiteral("Ix_Auftrag"))), "deleteIndex");
        QTEST(sql.existsStatement(), "exists");
        QTEST(sql.renameTableStatement(QStringLiteral("Pos2")), "rename");
        QCOMPARE(sql.emptyTableStatement(), QStringLiteral("DELETE FROM Positionen"));
        QCOMPARE(sql.deleteTableStatement(), QStringLiteral("DROP TABLE Positionen"));
    }

    void addIndexDefaultName()
    {
        const TableSql sql = makeSql(0, QStringLiteral("Land.DB"));
        QCOMPARE(sql.addIndexStatement(QString(), QStringLiteral("Land"), false),
                 QStringLiteral("CREATE INDEX [DEFAULT] ON [Land] ([Land])"));
        QCOMPARE(sql.addIndexStatement(QStringLiteral("PrimaryKey"), QStringLiteral("Land"), false),
                 QStringLiteral("CREATE INDEX [DEFAULT] ON [Land] ([Land])"));
        QCOMPARE(TableSql::ownerQuery(QStringLiteral("[Land]")),
                 QStringLiteral("Select D1.name From sysobjects D, Sysusers D1 Where D.uid = D1.uid AND D.Name ='Land'"));
    }

    void createTable_data()
    {
        QTest::addColumn<int>("serverType");
        QTest::addColumn<bool>("bdeConvert");
        QTest::addColumn<QString>("expected");
        QTest::newRow("mssql") << 0 << false
            << "CREATE TABLE [dbo].[Neu_Tab] ([ID] int IDENTITY(1,1) NOT NULL PRIMARY KEY , [Name] varchar(40) , "
               "[Notiz] text , [Aktiv] bit , [Betrag] money , [Datum] datetime) ON [PRIMARY]";
        QTest::newRow("mssql bde") << 0 << true
            << "CREATE TABLE [dbo].[Neu_Tab] ([ID] int PRIMARY KEY , [Name] varchar(40) , "
               "[Notiz] text , [Aktiv] bit , [Betrag] money , [Datum] datetime) ON [PRIMARY]";
        QTest::newRow("jet") << 1 << false
            << "CREATE TABLE [Neu_Tab] ([ID] COUNTER PRIMARY KEY , [Name] TEXT(40) , [Notiz] MEMO , [Aktiv] YESNO , "
               "[Betrag] CURRENCY , [Datum] DATETIME)";
        QTest::newRow("mysql") << 2 << false
            << "CREATE TABLE `Neu_Tab` (`ID` INT NOT NULL AUTO_INCREMENT , `Name` varchar(40) , `Aktiv` TINYINT , "
               "`Betrag` double , `Datum` date , Qem_dummy TEXT  , `Notiz` longtext, PRIMARY KEY (`ID` ))";
        QTest::newRow("sqlite") << 3 << false
            << "CREATE TABLE [Neu_Tab] ([ID] INTEGER PRIMARY KEY , [Name] varchar(40) , [Notiz] longtext , "
               "[Aktiv] TINYINT , [Betrag] double , [Datum] date)";
    }
    void createTable()
    {
        QFETCH(int, serverType);
        QFETCH(bool, bdeConvert);
        const TableSql sql = makeSql(serverType, QStringLiteral("Neu-Tab.DB"));
        const QList<SqlFieldDef> fields{
            {QStringLiteral("ID"), ftAutoInc, 0},     {QStringLiteral("Name"), ftString, 40},
            {QStringLiteral("Notiz"), ftMemo, 0},     {QStringLiteral("Aktiv"), ftBoolean, 0},
            {QStringLiteral("Betrag"), ftCurrency, 0}, {QStringLiteral("Datum"), ftDate, 0},
        };
        QTEST(sql.createTableStatement(fields, false, bdeConvert), "expected");
    }

    void retrievalQueries()
    {
        TableSql sql = makeSql(2);
        QCOMPARE(sql.lastInsertIdQuery(), QStringLiteral("SELECT LAST_INSERT_ID()"));
        QCOMPARE(sql.insertTokenQuery(QStringLiteral("1_x_2")),
                 QStringLiteral("SELECT * FROM Auftrag WHERE Qem_dummy='1_x_2'"));
        QCOMPARE(sql.highestKeyQuery(QStringLiteral("ID")).simplified(),
                 QStringLiteral("SELECT ID FROM Auftrag order by ID Desc LIMIT 1"));
        sql.serverType = 0;
        QCOMPARE(sql.lastInsertIdQuery(), QStringLiteral("SELECT @@IDENTITY"));
        QCOMPARE(sql.highestKeyQuery(QStringLiteral("ID")), QStringLiteral("SELECT TOP 1 ID FROM Auftrag order by ID Desc"));
        QCOMPARE(sql.narrowedToKey(QStringLiteral("SELECT * FROM Auftrag WHERE Art=1 ORDER BY [ID]"), QStringLiteral("ID"),
                                   QStringLiteral("17")),
                 QStringLiteral("SELECT * FROM Auftrag WHERE [ID]=17"));
        QCOMPARE(TableSql::withoutWhere(QStringLiteral("SELECT * FROM Auftrag WHERE Art=1 ORDER BY [ID]")),
                 QStringLiteral("SELECT * FROM Auftrag"));
    }

    void changeLogEntries()
    {
        const QDateTime now(QDate(2026, 12, 11), QTime(10, 0, 0));
        const QString station = changelog::stationText(QString(), QString());
        const QString created = changelog::creationEntry(now, QString(), station);
        QCOMPARE(created, QStringLiteral("11.12.2026 create by  on  #~#"));
        const QList<PostColumn> cols{
            {QStringLiteral("ID"), ftAutoInc, 1, 2},  // the key itself is never logged
            {QStringLiteral("Name"), ftString, QStringLiteral("Alt"), QStringLiteral("Neu")},
            {QStringLiteral("Aktiv"), ftBoolean, QStringLiteral("-1"), QStringLiteral("True")},
            {QStringLiteral("Notiz"), ftMemo, QStringLiteral("a"), QStringLiteral("b")},
            {QStringLiteral("SELEKT"), ftBoolean, 0, 1},
            {QStringLiteral("UPDATE"), ftDateTime, QVariant(), now},
        };
        const QString changes = changelog::collectChanges(cols);
        QCOMPARE(changes, QStringLiteral("Name:Alt->Neu;Notiz;"));
        QCOMPARE(changelog::appendChange(created, changes, now, QString(), station),
                 created + QStringLiteral("\r\n11.12.2026 10:00:00 change by  on  #@#Name:Alt->Neu;Notiz;#@@#"));
        QCOMPARE(changelog::appendChange(created, QString(), now, QString(), station), created);
    }

    void changeLogTrimmedOldestFirst()
    {
        const QDateTime now(QDate(2026, 12, 11), QTime(10, 0, 0));
        const QString station = changelog::stationText(QString(), QString());
        QString log = changelog::creationEntry(now, QString(), station);
        for (int i = 0; i < 2000; ++i)  // about twice the limit
            log = changelog::appendChange(log, QStringLiteral("Name:A%1->B%1;").arg(i, 5, 10, QChar('0')), now, QString(), station);
        // Every append beyond the limit dropped the oldest entries whole: header and changes.
        QVERIFY(log.size() <= changelog::maxLength);
        QVERIFY(log.size() > changelog::maxLength - 200);
        QCOMPARE(log.count(QStringLiteral(" change by ")), log.count(QStringLiteral("#@#")));
        QVERIFY(log.contains(QStringLiteral("Name:A01999->B01999;#@@#")));
        QVERIFY(log.startsWith(QStringLiteral("11.12.2026 create by")));
        QVERIFY(!log.contains(QStringLiteral("A00000->")));
        const QString last = log.mid(log.lastIndexOf(QStringLiteral("#@#")));
        QVERIFY(last.contains(QStringLiteral("->B")));
        const int firstKept = log.indexOf(QStringLiteral("Name:A"));
        QVERIFY(firstKept > 0);
        QVERIFY(log.indexOf(QStringLiteral("#@#")) < firstKept);

        // A single change larger than the limit leaves the creation entry and that change only.
        const QString huge(changelog::maxLength - 100, QLatin1Char('x'));
        const QString small = changelog::creationEntry(now, QString(), station)
            + QStringLiteral("\r\n11.12.2026 10:00:00 change by  on  #@#") + huge + QStringLiteral("#@@#");
        const QString trimmed = changelog::appendChange(small, QStringLiteral("Name:a->b;"), now, QString(), station);
        QVERIFY(trimmed.size() <= changelog::maxLength);
        QVERIFY(trimmed.endsWith(QStringLiteral("#@#Name:a->b;#@@#")));

        // A log without entries to cut (written by hand, no creation entry) is started afresh.
        const QString overflow = changelog::appendChange(QString(changelog::maxLength + 1, QLatin1Char('y')),
                                                         QStringLiteral("Name:a->b;"), now, QString(), station);
        QCOMPARE(overflow, QStringLiteral("11.12.2026 clear overflow by  on  #~#"));
    }
};

QTEST_GUILESS_MAIN(TstTableSql)
#include "tst_tablesql.moc"
