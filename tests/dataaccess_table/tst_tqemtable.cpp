// TQemTable executed for real on SQLite and MariaDB: small fixture tables created through
// CreateTable/AddIndex, then opening, ranges, key search, master and detail, and posting.

#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemdatasource.h"
#include "dataaccess/tqemtable.h"
#include "testsupport.h"

#include <QSqlQuery>
#include <QtTest>

#include <memory>

namespace {

class Fixture {
public:
    explicit Fixture(const QString& dialect)
    {
        if (dialect == QLatin1String("mariadb")) {
            maria_ = std::make_unique<testsupport::TestMariaDb>();
            conn.SetConnectionString(maria_->connectionString());
        } else {
            conn.SetConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + dir_.filePath(QStringLiteral("w.sqlite")));
        }
        conn.Open();
        conn.OnStatement = [this](const QString& s) { log << s; };
        create(QStringLiteral("Adressen.DB"),
               {{"ID", ftAutoInc, 0}, {"Mandant", ftInteger, 0}, {"Adressnummer", ftInteger, 0}, {"Name", ftString, 40},
                {"Qem_CHANGE_LOG", ftMemo, 0}},
               {{"DEFAULT", "Mandant;Adressnummer", false}, {"IX_LName", "Name", false}});
        create(QStringLiteral("Auftrag.DB"),
               {{"ID", ftAutoInc, 0}, {"Mandant", ftInteger, 0}, {"Art", ftInteger, 0}, {"Auftrag", ftInteger, 0},
                {"Name", ftString, 40}},
               {{"was", "Mandant;Art", false}, {"Vorgang", "Auftrag", false}});
        create(QStringLiteral("Positionen.DB"), {{"ID", ftAutoInc, 0}, {"Auftrag", ftInteger, 0}, {"Position", ftInteger, 0}},
               {{"Ix_Auftrag", "Auftrag;Position", false}});
        for (const char* row : {"(7,1002,'Meier')", "(7,1001,'Müller')", "(7,1003,'Meister')", "(8,1001,'Schmidt')",
                                "(7,1004,NULL)", "(7,1005,'')"})
            conn.ExecSQL(QStringLiteral("INSERT INTO Adressen (Mandant,Adressnummer,Name) VALUES ") + QString::fromUtf8(row));
        for (const char* row : {"(7,1,100,'A')", "(7,5000,101,'B')", "(7,20000,102,'C')", "(8,1,103,'D')"})
            conn.ExecSQL(QStringLiteral("INSERT INTO Auftrag (Mandant,Art,Auftrag,Name) VALUES ") + QString::fromLatin1(row));
        for (const char* row : {"(100,1)", "(100,2)", "(101,1)"})
            conn.ExecSQL(QStringLiteral("INSERT INTO Positionen (Auftrag,Position) VALUES ") + QString::fromLatin1(row));
        log.clear();
    }

    void create(const QString& name, const QList<SqlFieldDef>& fields, const QList<SqlIndexDef>& indexes)
    {
        TQemTable t;
        t.SetConnection(&conn);
        t.SetTableName(name);
        t.FieldDefs = fields;
        t.IndexDefsToCreate = indexes;
        t.CreateTable();
    }

    QString native(QString s) const { return SqlDialect(conn.SERVER_TYPE).bracketsToNative(s); }

    TQemConnection conn;
    QStringList log;

private:
    QTemporaryDir dir_;
    std::unique_ptr<testsupport::TestMariaDb> maria_;
};

}  // namespace

class TstTQemTable : public QObject {
    Q_OBJECT
private slots:
    void dialects_data()
    {
        QTest::addColumn<QString>("dialect");
        QTest::newRow("sqlite") << "sqlite";
        QTest::newRow("mariadb") << "mariadb";
    }

    void openRangeAndKeys_data() { dialects_data(); }
    void openRangeAndKeys()
    {
        QFETCH(QString, dialect);
        Fixture f(dialect);
        TQemTable t;
        t.SetConnection(&f.conn);
        t.SetTableName(QStringLiteral("Adressen.DB"));
        t.Open();
        QCOMPARE(t.Debug_CommandText, f.native(QStringLiteral("SELECT * FROM Adressen ORDER BY [Mandant],[Adressnummer]")));
        QCOMPARE(t.FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Müller"));

        // Index names as stored (T_N on SQLite) and as the callers write them, any case.
        t.SetIndexName(QStringLiteral("ix_lname"));
        QCOMPARE(t.IndexFieldList(), QStringLiteral("Name"));
        t.SetIndexName(QStringLiteral("IX_LName"));
        t.SetRange({QStringLiteral("Mei")}, {QStringLiteral("Mei") + QChar(0x7F)});
        QVERIFY2(t.Debug_CommandText.contains(QLatin1String("LIKE 'Mei%'")), qPrintable(t.Debug_CommandText));
        QCOMPARE(t.RecordCount(), 2);
        t.SetRange({QString()}, {QString()});  // empty and missing names alike
        QCOMPARE(t.RecordCount(), 2);
        t.SetIndexName(QStringLiteral("gibtsnicht"));
        QVERIFY_THROWS_EXCEPTION(EQemDatabaseError, t.IndexFieldList());

        TQemTable a;
        a.SetConnection(&f.conn);
        a.SetTableName(QStringLiteral("Auftrag.DB"));
        QCOMPARE(a.IndexFieldList(), QStringLiteral("ID"));  // DEFAULT falls back to the primary key
        a.SetIndexName(QStringLiteral("was"));
        a.SetRange({7, 0}, {7, 10000});
        QVERIFY2(a.Debug_CommandText.contains(f.native(QStringLiteral("([Mandant]=7) AND ([Art] BETWEEN 0 AND 10000)"))),
                 qPrintable(a.Debug_CommandText));
        QCOMPARE(a.RecordCount(), 2);
        a.CancelRange();
        QCOMPARE(a.RecordCount(), 4);
    }

    void findKeyTwiceSendsOnce_data() { dialects_data(); }
    void findKeyTwiceSendsOnce()
    {
        QFETCH(QString, dialect);
        Fixture f(dialect);
        TQemTable t;
        t.SetConnection(&f.conn);
        t.SetTableName(QStringLiteral("Adressen.DB"));
        t.QemOpenByRange = true;
        t.IndexDefs();  // definitions read beforehand
        f.log.clear();
        t.Open();
        QVERIFY(!t.Active());
        QCOMPARE(f.log.size(), 0);
        QVERIFY(t.FindKey({7, 1003}));
        QCOMPARE(t.FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Meister"));
        QCOMPARE(f.log.size(), 1);
        QVERIFY(t.FindKey({7, 1003}));
        QCOMPARE(f.log.size(), 1);
        QVERIFY(!t.FindKey({9, 1}));
    }

    void detailFollowsMaster_data() { dialects_data(); }
    void detailFollowsMaster()
    {
        QFETCH(QString, dialect);
        Fixture f(dialect);
        TQemTable master;
        master.SetConnection(&f.conn);
        master.SetTableName(QStringLiteral("Auftrag.DB"));
        master.SetIndexName(QStringLiteral("Vorgang"));
        master.Open();
        TQemDataSource source(&master);
        TQemTable detail;
        detail.SetConnection(&f.conn);
        detail.SetTableName(QStringLiteral("Positionen.DB"));
        detail.SetIndexName(QStringLiteral("Ix_Auftrag"));
        detail.SetMasterSource(&source);
        detail.SetMasterFields(QStringLiteral("Auftrag"));
        detail.Open();
        QVERIFY2(detail.Debug_CommandText.endsWith(f.native(QStringLiteral(" WHERE Auftrag=:Auftrag ORDER BY [Auftrag],[Position]"))),
                 qPrintable(detail.Debug_CommandText));
        QCOMPARE(detail.RecordCount(), 2);
        master.Next();
        QCOMPARE(detail.RecordCount(), 1);
        master.Next();
        QCOMPARE(detail.RecordCount(), 0);
    }

    void posting_data() { dialects_data(); }
    void posting()
    {
        QFETCH(QString, dialect);
        Fixture f(dialect);
        TQemTable t;
        t.SetConnection(&f.conn);
        t.SetTableName(QStringLiteral("Auftrag.DB"));
        t.SetIndexName(QStringLiteral("Vorgang"));
        t.Open();
        QVERIFY(t.FindKey({101}));
        f.log.clear();
        t.Edit();
        t.FieldByName(QStringLiteral("Name"))->SetAsString(QStringLiteral("Neu"));
        t.Post();
        QVERIFY2(f.log.filter(QStringLiteral("UPDATE")).size() == 1, qPrintable(f.log.join('\n')));
        QVERIFY2(f.log.filter(QStringLiteral("UPDATE")).first().contains(f.native(QStringLiteral("SET [Name]=? WHERE"))),
                 qPrintable(f.log.join('\n')));
        QCOMPARE(f.conn.QueryValue(QStringLiteral("SELECT Name FROM Auftrag WHERE Auftrag=101")).toString(), QStringLiteral("Neu"));

        TQemTable adr;
        adr.SetConnection(&f.conn);
        adr.SetTableName(QStringLiteral("Adressen.DB"));
        adr.Open();
        adr.Append();
        adr.FieldByName(QStringLiteral("Mandant"))->SetAsInteger(9);
        adr.FieldByName(QStringLiteral("Name"))->SetAsString(QStringLiteral("Neu"));
        adr.Post();
        const int id = f.conn.QueryValue(QStringLiteral("SELECT MAX(ID) FROM Adressen")).toInt();
        QCOMPARE(adr.Fields(0)->AsInteger(), id);
        QVERIFY(f.conn.QueryValue(QStringLiteral("SELECT Qem_CHANGE_LOG FROM Adressen WHERE ID=%1").arg(id))
                    .toString().endsWith(QStringLiteral(" create by  on  #~#")));
        if (dialect == QLatin1String("mariadb"))
            QVERIFY(!f.conn.QueryValue(QStringLiteral("SELECT Qem_dummy FROM Adressen WHERE ID=%1").arg(id)).toString().isEmpty());
    }
    // A post the server rejects is completed by the fallback statement; a locked row ends in a
    // clear error within the bound; an overlong change log loses its oldest entries.
    void mariadbPostingEdges()
    {
        Fixture f(QStringLiteral("mariadb"));
        f.conn.ExecSQL(QStringLiteral(
            "CREATE TRIGGER auftrag_bu BEFORE UPDATE ON Auftrag FOR EACH ROW BEGIN IF @reject_next = 1 THEN "
            "SET @reject_next = 0; SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'abgelehnt'; END IF; END"));
        TQemTable t;
        t.SetConnection(&f.conn);
        t.SetTableName(QStringLiteral("Auftrag.DB"));
        t.SetIndexName(QStringLiteral("Vorgang"));
        t.Open();
        QVERIFY(t.FindKey({101}));
        const int id = t.Fields(0)->AsInteger();
        f.conn.ExecSQL(QStringLiteral("SET @reject_next = 1"));
        f.log.clear();
        t.Edit();
        t.FieldByName(QStringLiteral("Name"))->SetAsString(QStringLiteral("Fallback"));
        t.Post();
        QVERIFY2(f.log.contains(QStringLiteral("UPDATE `Auftrag` SET `Name`='Fallback' WHERE ID=%1").arg(id)),
                 qPrintable(f.log.join('\n')));
        QVERIFY(t.PostErrorFlag());
        QCOMPARE(f.conn.QueryValue(QStringLiteral("SELECT Name FROM Auftrag WHERE ID=%1").arg(id)).toString(),
                 QStringLiteral("Fallback"));

        // A second session holds the row.
        QSqlDatabase other = QSqlDatabase::cloneDatabase(f.conn.Database(), QStringLiteral("other"));
        QVERIFY(other.open());
        {
            QSqlQuery q(other);
            QVERIFY(q.exec(QStringLiteral("START TRANSACTION")));
            QVERIFY(q.exec(QStringLiteral("SELECT * FROM Auftrag WHERE ID=%1 FOR UPDATE").arg(id)));
            t.LockWaitSeconds = 1;
            t.LockRetries = 1;
            t.Edit();
            t.FieldByName(QStringLiteral("Name"))->SetAsString(QStringLiteral("Gesperrt"));
            try {
                t.Post();
                QFAIL("a locked row was reported as written");
            } catch (const EQemDatabaseError& e) {
                QCOMPARE(e.message(), TQemTable::RowLockedMessage(QStringLiteral("Auftrag")));
            }
            t.Cancel();
            q.exec(QStringLiteral("ROLLBACK"));
        }
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("other"));

        // Change log near the limit: the oldest entry goes first.
        QString log = QStringLiteral("01.01.2020 create by  on  #~#");
        for (int i = 0; log.size() < 59990; ++i)
            log += QStringLiteral("\r\n01.01.2020 10:00:00 change by  on  #@#Name:alt%1->neu;#@@#").arg(i, 5, 10, QChar('0'));
        f.conn.ExecSQL(QStringLiteral("UPDATE Adressen SET Qem_CHANGE_LOG=? WHERE Adressnummer=1002"), {log});
        TQemTable adr;
        adr.SetConnection(&f.conn);
        adr.SetTableName(QStringLiteral("Adressen.DB"));
        adr.Open();
        QVERIFY(adr.FindKey({7, 1002}));
        adr.Edit();
        adr.FieldByName(QStringLiteral("Name"))->SetAsString(QStringLiteral("Meyer"));
        adr.Post();
        const QString stored = f.conn.QueryValue(QStringLiteral("SELECT Qem_CHANGE_LOG FROM Adressen WHERE Adressnummer=1002")).toString();
        QVERIFY(stored.size() <= 60000);
        QVERIFY(!stored.contains(QStringLiteral("Name:alt00000->")));
        QVERIFY(stored.contains(QStringLiteral("Name:alt00005->")));  // only the oldest few went
        QVERIFY(stored.endsWith(QStringLiteral("#@#Name:Meier->Meyer;#@@#")));
    }
};

QTEST_GUILESS_MAIN(TstTQemTable)
#include "tst_tqemtable.moc"
