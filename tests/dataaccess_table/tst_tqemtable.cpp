// TQemTable executed for real on SQLite and MariaDB: small fixture tables created through
// CreateTable/AddIndex, then opening, ranges, key search, master and detail, and posting.

#include "dataaccess/sqlerrorlog.h"
#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemdatasource.h"
#include "dataaccess/tqemtable.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QScopeGuard>
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
    bool isMaria() const { return maria_ != nullptr; }

    // Statements the server received since the last call (MariaDB: its own counter of the
    // session, so statements past the connection's log count too; SQLite: the log).
    void mark()
    {
        log.clear();
        if (maria_) {
            const qint64 first = questions();
            base_ = questions();
            overhead_ = base_ - first;
        }
    }
    qint64 takeSent()
    {
        if (!maria_) {
            const qint64 n = log.size();
            log.clear();
            return n;
        }
        const qint64 now = questions();
        const qint64 n = now - base_ - overhead_;
        base_ = now;
        return n;
    }

    // The next INSERT or UPDATE on the table is rejected by the server once.
    void rejectNext(const QString& table, const QString& operation)
    {
        const QString trigger = table + QLatin1Char('_') + operation;
        if (maria_) {
            conn.ExecSQL(QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1 BEFORE %2 ON %3 FOR EACH ROW BEGIN IF @reject_next = 1 THEN "
                                        "SET @reject_next = 0; SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'abgelehnt'; END IF; END")
                             .arg(trigger, operation, table));
            conn.ExecSQL(QStringLiteral("SET @reject_next = 1"));
            return;
        }
        conn.ExecSQL(QStringLiteral("CREATE TABLE IF NOT EXISTS Ablehnen (v INTEGER)"));
        if (conn.QueryValue(QStringLiteral("SELECT COUNT(*) FROM Ablehnen")).toInt() == 0)
            conn.ExecSQL(QStringLiteral("INSERT INTO Ablehnen VALUES (0)"));
        // FAIL keeps the trigger's own reset, so only the first attempt is rejected.
        conn.ExecSQL(QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1 BEFORE %2 ON %3 WHEN (SELECT v FROM Ablehnen) = 1 BEGIN "
                                    "UPDATE Ablehnen SET v = 0; SELECT RAISE(FAIL, 'abgelehnt'); END")
                         .arg(trigger, operation, table));
        conn.ExecSQL(QStringLiteral("UPDATE Ablehnen SET v = 1"));
    }

    TQemConnection conn;
    QStringList log;

private:
    qint64 questions()
    {
        QSqlQuery q(conn.Database());
        q.exec(QStringLiteral("SHOW SESSION STATUS LIKE 'Questions'"));
        return q.next() ? q.value(1).toLongLong() : -1;
    }

    QTemporaryDir dir_;
    std::unique_ptr<testsupport::TestMariaDb> maria_;
    qint64 base_ = 0;
    qint64 overhead_ = 0;
};

// The table on conn.
std::unique_ptr<TQemTable> table(Fixture& f, const QString& name, const QString& index = {})
{
    auto t = std::make_unique<TQemTable>();
    t->SetConnection(&f.conn);
    t->SetTableName(name);
    t->SetIndexName(index);
    return t;
}

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
        f.mark();
        t.Open();
        QVERIFY(!t.Active());
        QCOMPARE(f.takeSent(), 0);
        QVERIFY(t.FindKey({7, 1003}));
        QCOMPARE(t.FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Meister"));
        QCOMPARE(f.takeSent(), 1);  // the rows of the key, nothing about keys or columns
        QVERIFY(t.FindKey({7, 1003}));
        QCOMPARE(f.takeSent(), 0);
        t.SetRange({7, 1001}, {7, 1003});
        QCOMPARE(f.takeSent(), 1);
        QVERIFY(t.FindKey({7, 1002}));  // among the current rows
        QCOMPARE(f.takeSent(), 0);
        QVERIFY(!t.FindKey({9, 1}));

        // A second table object on the same table: definitions not read again.
        auto again = table(f, QStringLiteral("Adressen.DB"));
        f.mark();
        again->Open();
        QCOMPARE(f.takeSent(), 1);
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
    // A post the server rejects is completed by the fallback statement; an overlong change log
    // loses its oldest entries.
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

    // An insert the server rejects is written by the fallback INSERT and its new key read back:
    // MariaDB by the insert token in Qem_dummy, without that column by LAST_INSERT_ID.
    void fallbackInsert_data()
    {
        QTest::addColumn<QString>("dialect");
        QTest::addColumn<QString>("tableName");
        QTest::addColumn<QString>("keyQuery");
        QTest::newRow("sqlite") << "sqlite" << "Adressen" << "SELECT last_insert_rowid()";
        QTest::newRow("mariadb token") << "mariadb" << "Adressen" << "SELECT * FROM Adressen WHERE Qem_dummy='";
        QTest::newRow("mariadb without token") << "mariadb" << "Kasse" << "SELECT LAST_INSERT_ID()";
    }
    void fallbackInsert()
    {
        QFETCH(QString, dialect);
        QFETCH(QString, tableName);
        QFETCH(QString, keyQuery);
        Fixture f(dialect);
        if (tableName == QLatin1String("Kasse"))
            f.conn.ExecSQL(QStringLiteral("CREATE TABLE Kasse (ID INT NOT NULL AUTO_INCREMENT PRIMARY KEY, Mandant INT, Name VARCHAR(40))"));
        auto t = table(f, tableName + QStringLiteral(".DB"));
        t->Open();
        f.rejectNext(tableName, QStringLiteral("INSERT"));
        f.mark();
        t->Append();
        t->FieldByName(QStringLiteral("Mandant"))->SetAsInteger(9);
        t->FieldByName(QStringLiteral("Name"))->SetAsString(QStringLiteral("Ersatz"));
        t->Post();  // no error for the caller
        QVERIFY(t->PostErrorFlag());
        // The rejected INSERT binds its values, the fallback writes them as literals.
        const QStringList inserts = f.log.filter(f.native(QStringLiteral("INSERT INTO [%1] (").arg(tableName)));
        QVERIFY2(inserts.size() == 2 && inserts.last().contains(QLatin1String("'Ersatz'")), qPrintable(f.log.join('\n')));
        QVERIFY2(!f.log.filter(keyQuery).isEmpty(), qPrintable(f.log.join('\n')));
        const int id = f.conn.QueryValue(QStringLiteral("SELECT ID FROM %1 WHERE Name='Ersatz'").arg(tableName)).toInt();
        QVERIFY(id > 0);
        QCOMPARE(t->Fields(0)->AsInteger(), id);
        QCOMPARE(t->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Ersatz"));
        QCOMPARE(t->State(), dsBrowse);
    }

    // The fallback UPDATE of a rejected edit on SQLite (MariaDB: mariadbPostingEdges).
    void fallbackUpdateSqlite()
    {
        Fixture f(QStringLiteral("sqlite"));
        auto t = table(f, QStringLiteral("Auftrag.DB"), QStringLiteral("Vorgang"));
        t->Open();
        QVERIFY(t->FindKey({102}));
        const int id = t->Fields(0)->AsInteger();
        f.rejectNext(QStringLiteral("Auftrag"), QStringLiteral("UPDATE"));
        f.mark();
        t->Edit();
        t->FieldByName(QStringLiteral("Name"))->SetAsString(QStringLiteral("Ersatz"));
        t->Post();
        QVERIFY2(f.log.contains(QStringLiteral("UPDATE [Auftrag] SET [Name]='Ersatz' WHERE ID=%1").arg(id)), qPrintable(f.log.join('\n')));
        QCOMPARE(f.conn.QueryValue(QStringLiteral("SELECT Name FROM Auftrag WHERE ID=%1").arg(id)).toString(), QStringLiteral("Ersatz"));
        QCOMPARE(t->Fields(0)->AsInteger(), id);
    }

    // A row another session holds: the post ends within the bound in the German message, the
    // edit stays, and once the other session lets go the same post writes it.
    void lockedRow_data() { dialects_data(); }
    void lockedRow()
    {
        QFETCH(QString, dialect);
        Fixture f(dialect);
        auto t = table(f, QStringLiteral("Auftrag.DB"), QStringLiteral("Vorgang"));
        t->Open();
        QVERIFY(t->FindKey({101}));
        const int id = t->Fields(0)->AsInteger();
        QSqlDatabase other = QSqlDatabase::cloneDatabase(f.conn.Database(), QStringLiteral("other"));
        QVERIFY(other.open());
        {
            QSqlQuery q(other);
            if (f.isMaria()) {
                QVERIFY(q.exec(QStringLiteral("START TRANSACTION")));
                QVERIFY(q.exec(QStringLiteral("SELECT * FROM Auftrag WHERE ID=%1 FOR UPDATE").arg(id)));
            } else {
                QVERIFY(q.exec(QStringLiteral("BEGIN IMMEDIATE")));  // SQLite locks the whole file
            }
            t->LockWaitSeconds = 1;
            t->LockRetries = 1;
            t->Edit();
            t->FieldByName(QStringLiteral("Name"))->SetAsString(QStringLiteral("Gesperrt"));
            QElapsedTimer clock;
            clock.start();
            try {
                t->Post();
                QFAIL("a locked row was reported as written");
            } catch (const EQemDatabaseError& e) {
                QCOMPARE(e.message(), TQemTable::RowLockedMessage(QStringLiteral("Auftrag")));
            }
            QVERIFY2(clock.elapsed() < 20000, "the post waited without bound");  // two tries of a second each
            QCOMPARE(t->State(), dsEdit);
            QVERIFY(q.exec(QStringLiteral("ROLLBACK")));
        }
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
        t->Post();
        QCOMPARE(f.conn.QueryValue(QStringLiteral("SELECT Name FROM Auftrag WHERE ID=%1").arg(id)).toString(),
                 QStringLiteral("Gesperrt"));
    }

    // Key entry: GotoKey on the whole key, GotoNearest on a prefix (text) or a lower bound
    // (numbers), FindNearest, GotoCurrent, and key entry on a table under range opening.
    void keyEntry_data() { dialects_data(); }
    void keyEntry()
    {
        QFETCH(QString, dialect);
        Fixture f(dialect);
        auto t = table(f, QStringLiteral("Adressen.DB"));
        t->QemOpenByRange = true;
        t->Open();
        QVERIFY(!t->Active());
        t->SetKey();  // reads the fields, no rows
        QCOMPARE(t->State(), dsSetKey);
        t->FieldByName(QStringLiteral("Mandant"))->SetAsInteger(7);
        t->FieldByName(QStringLiteral("Adressnummer"))->SetAsInteger(1003);
        QVERIFY(t->GotoKey());
        QCOMPARE(t->State(), dsBrowse);
        QCOMPARE(t->RecordCount(), 1);
        QCOMPARE(t->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Meister"));

        t->EditKey();
        t->FieldByName(QStringLiteral("Mandant"))->SetAsInteger(7);
        t->FieldByName(QStringLiteral("Adressnummer"))->SetAsInteger(1003);
        t->GotoNearest();
        QCOMPARE(t->RecordCount(), 3);  // 1003, 1004, 1005
        QCOMPARE(t->FieldByName(QStringLiteral("Adressnummer"))->AsInteger(), 1003);

        t->SetIndexName(QStringLiteral("IX_LName"));
        t->SetKey();
        t->FieldByName(QStringLiteral("Name"))->SetAsString(QStringLiteral("Mei"));
        t->GotoNearest();
        QVERIFY2(t->Debug_CommandText.contains(f.native(QStringLiteral("([Name] LIKE 'Mei%')"))), qPrintable(t->Debug_CommandText));
        QCOMPARE(t->RecordCount(), 2);
        QCOMPARE(t->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Meier"));

        t->SetIndexName(QString());
        t->FindNearest({7, 1001});
        QCOMPARE(t->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Müller"));

        auto other = table(f, QStringLiteral("Auftrag.DB"), QStringLiteral("Vorgang"));
        other->Open();
        QVERIFY(other->FindKey({102}));
        auto a = table(f, QStringLiteral("Auftrag.DB"), QStringLiteral("was"));
        a->Open();
        a->GotoCurrent(*other);  // by the first column, on the primary key
        QCOMPARE(a->IndexName(), QString());
        QCOMPARE(a->Fields(0)->AsInteger(), other->Fields(0)->AsInteger());
        QCOMPARE(a->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("C"));
    }

    // Refresh: skipped within a second unless machit; back on the same row; a row that left the
    // result gives its neighbour, and with posit the result narrowed to that row.
    void refreshKeepsRow_data() { dialects_data(); }
    void refreshKeepsRow()
    {
        QFETCH(QString, dialect);
        Fixture f(dialect);
        auto t = table(f, QStringLiteral("Auftrag.DB"), QStringLiteral("was"));
        const auto onB = [&] {
            f.conn.ExecSQL(QStringLiteral("UPDATE Auftrag SET Art=5000 WHERE Name='B'"));
            t->SetRange({7, 0}, {7, 10000});
            QVERIFY(t->Locate(QStringLiteral("Name"), QStringLiteral("B")));
            QCOMPARE(t->RecNo(), 2);
        };
        onB();
        const QString range = t->CommandText();
        const int idB = t->Fields(0)->AsInteger();
        f.mark();
        t->Refresh();
        QCOMPARE(f.takeSent(), 0);
        t->Refresh(true);
        QCOMPARE(f.takeSent(), 1);
        QCOMPARE(t->Fields(0)->AsInteger(), idB);

        f.conn.ExecSQL(QStringLiteral("UPDATE Auftrag SET Art=20000 WHERE Name='B'"));  // another user
        t->Refresh(true, false);
        QCOMPARE(t->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("A"));
        QCOMPARE(t->RecordCount(), 1);

        onB();
        f.conn.ExecSQL(QStringLiteral("UPDATE Auftrag SET Art=20000 WHERE Name='B'"));
        t->Refresh(true, true);
        QCOMPARE(t->RecordCount(), 1);
        QCOMPARE(t->Fields(0)->AsInteger(), idB);
        QCOMPARE(t->CommandText(), range);  // the statement is restored for the next re-read
    }

    // A detail opened by its own key follows its master in key mode (no parameter).
    void detailFollowsMasterByKey_data() { dialects_data(); }
    void detailFollowsMasterByKey()
    {
        QFETCH(QString, dialect);
        Fixture f(dialect);
        auto master = table(f, QStringLiteral("Auftrag.DB"), QStringLiteral("Vorgang"));
        master->Open();
        auto detail = table(f, QStringLiteral("Positionen.DB"), QStringLiteral("Ix_Auftrag"));
        detail->SetRange({100}, {100});
        QCOMPARE(detail->RecordCount(), 2);
        TQemDataSource source(master.get());
        detail->SetMasterSource(&source);
        detail->SetMasterFields(QStringLiteral("Auftrag"));
        master->Next();
        QVERIFY(detail->Parameters().IsEmpty());
        QVERIFY2(detail->Debug_CommandText.contains(f.native(QStringLiteral("([Auftrag]=101)"))), qPrintable(detail->Debug_CommandText));
        QCOMPARE(detail->RecordCount(), 1);
        master->Next();
        QCOMPARE(detail->RecordCount(), 0);
        master->First();
        QCOMPARE(detail->RecordCount(), 2);
    }

    // Deleting from a joined result: DELETE by the first column of the base table, then the
    // next row is current.
    void joinDelete_data() { dialects_data(); }
    void joinDelete()
    {
        QFETCH(QString, dialect);
        Fixture f(dialect);
        auto t = table(f, QStringLiteral("Positionen.DB"), QStringLiteral("Ix_Auftrag"));
        t->SQL_SELECT = QStringLiteral("SELECT Positionen.*, Auftrag.Name FROM Positionen JOIN Auftrag ON Auftrag.Auftrag = Positionen.Auftrag");
        t->SQL_SELECT_TABNAME = QStringLiteral("Positionen");
        t->Open();
        QVERIFY2(t->Debug_CommandText.endsWith(f.native(QStringLiteral(" ORDER BY [Positionen].[Auftrag],[Positionen].[Position]"))),
                 qPrintable(t->Debug_CommandText));
        QCOMPARE(t->RecordCount(), 3);
        const int first = t->Fields(0)->AsInteger();
        t->Next();
        const int second = t->Fields(0)->AsInteger();
        t->First();
        f.mark();
        t->Delete();
        QVERIFY2(f.log.contains(QStringLiteral("DELETE FROM Positionen WHERE ID=%1").arg(first)), qPrintable(f.log.join('\n')));
        QCOMPARE(f.conn.QueryValue(QStringLiteral("SELECT COUNT(*) FROM Positionen WHERE ID=%1").arg(first)).toInt(), 0);
        QCOMPARE(t->RecordCount(), 2);
        QCOMPARE(t->Fields(0)->AsInteger(), second);
    }

    // Dates in a range (the key list names a date column, so German texts and QDate values are
    // written as the server's date literals), and an empty value on a numeric key as IS NULL.
    void dateRange_data() { dialects_data(); }
    void dateRange()
    {
        QFETCH(QString, dialect);
        Fixture f(dialect);
        f.create(QStringLiteral("Kassenbuch.DB"), {{"ID", ftAutoInc, 0}, {"Mandant", ftInteger, 0}, {"Datum", ftDate, 0}},
                 {{"Zeitraum", "Mandant;Datum", false}});
        for (const char* row : {"(7,'2026-11-30')", "(7,'2026-12-01')", "(7,'2026-12-31')", "(7,'2027-01-01')", "(NULL,'2026-12-05')"})
            f.conn.ExecSQL(QStringLiteral("INSERT INTO Kassenbuch (Mandant,Datum) VALUES ") + QString::fromLatin1(row));
        auto t = table(f, QStringLiteral("Kassenbuch.DB"), QStringLiteral("Zeitraum"));
        t->SetRange({7, QStringLiteral("01.12.2026")}, {7, QStringLiteral("31.12.2026")});
        QVERIFY2(t->Debug_CommandText.contains(f.native(QStringLiteral("([Datum] BETWEEN '2026-12-01' AND '2026-12-31')"))),
                 qPrintable(t->Debug_CommandText));
        QCOMPARE(t->RecordCount(), 2);
        QCOMPARE(t->FieldByName(QStringLiteral("Datum"))->AsDateTime().date(), QDate(2026, 12, 1));
        t->SetRange({7, QDate(2026, 11, 30)}, {7, QDate(2026, 12, 1)});
        QCOMPARE(t->RecordCount(), 2);
        t->SetRange({QString()}, {QString()});
        QVERIFY2(t->Debug_CommandText.contains(f.native(QStringLiteral("([Mandant] IS NULL)"))), qPrintable(t->Debug_CommandText));
        QCOMPARE(t->RecordCount(), 1);
    }

    // The restrictions of SetRange executed: SQL_WHERE combined or replacing, SQL_ARTIN,
    // NoMandant, word searches with "*" (all words) and "~" (any word), MariaDB's full-text
    // MATCH for SQL_FULLTEXT columns, and the row limit.
    void restrictions_data()
    {
        QTest::addColumn<QString>("dialect");
        QTest::addColumn<QString>("tableName");
        QTest::addColumn<QString>("index");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("artIn");
        QTest::addColumn<bool>("noMandant");
        QTest::addColumn<bool>("fulltext");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QVariantList>("starts");
        QTest::addColumn<QVariantList>("ends");
        QTest::addColumn<QString>("fragment");
        QTest::addColumn<int>("count");
        const QVariantList s7{7, 0}, e7{7, 10000};
        const QString k127(QChar(0x7F));
        for (const char* d : {"sqlite", "mariadb"}) {
            const QString dialect = QString::fromLatin1(d);
            const auto row = [&](const char* name) -> QTestData& { return QTest::newRow(qPrintable(dialect + QLatin1Char(' ') + QLatin1String(name))); };
            row("where combined") << dialect << "Auftrag" << "was" << "Name<>'A'" << "" << false << false << 0 << s7 << e7
                                  << "WHERE (Name<>'A') AND (([Mandant]=7) AND ([Art] BETWEEN 0 AND 10000))" << 1;
            row("where replaces") << dialect << "Auftrag" << "was" << "<<Name='D'" << "" << false << false << 0 << s7 << e7
                                  << "WHERE (Name='D') ORDER BY" << 1;
            row("art in") << dialect << "Auftrag" << "was" << "" << "1,20000" << false << false << 0 << QVariantList{7, 1}
                          << QVariantList{7, 1} << "([Art] IN (1,20000) )" << 2;
            row("no mandant") << dialect << "Auftrag" << "was" << "" << "" << true << false << 0 << s7 << e7
                              << "WHERE ([Art] BETWEEN 0 AND 10000) ORDER BY" << 3;
            row("row limit") << dialect << "Auftrag" << "was" << "" << "" << false << false << 1 << s7 << e7 << " LIMIT 1" << 1;
            row("all words") << dialect << "Adressen" << "IX_LName" << "" << "" << false << false << 0 << QVariantList{""}
                             << QVariantList{"Mei*ter" + k127} << "(([Name] LIKE '%Mei%') AND ([Name] LIKE '%ter%'))" << 1;
            row("any word") << dialect << "Adressen" << "IX_LName" << "" << "" << false << false << 0 << QVariantList{""}
                            << QVariantList{"Schmidt~Meier" + k127} << "(([Name] LIKE '%Schmidt%') OR ([Name] LIKE '%Meier%'))" << 2;
        }
        QTest::newRow("mariadb fulltext") << "mariadb" << "Adressen" << "IX_LName" << "" << "" << false << true << 0
                                          << QVariantList{""} << QVariantList{"Meister*" + k127}
                                          << "MATCH(`Name`) AGAINST(' +Meister' IN BOOLEAN MODE)" << 1;
    }
    void restrictions()
    {
        QFETCH(QString, dialect);
        QFETCH(QString, tableName);
        QFETCH(QString, index);
        QFETCH(bool, fulltext);
        Fixture f(dialect);
        if (fulltext)
            f.conn.ExecSQL(QStringLiteral("CREATE FULLTEXT INDEX Volltext ON Adressen (Name)"));
        auto t = table(f, tableName + QStringLiteral(".DB"), index);
        QFETCH(QString, where);
        QFETCH(QString, artIn);
        QFETCH(bool, noMandant);
        QFETCH(int, limit);
        t->SQL_WHERE = where;
        t->SQL_ARTIN = artIn;
        t->NoMandant = noMandant;
        t->SetMaxRecords(limit);
        if (fulltext)
            t->SQL_FULLTEXT = QStringList{QStringLiteral("name")};
        QFETCH(QVariantList, starts);
        QFETCH(QVariantList, ends);
        t->SetRange(starts, ends);
        QFETCH(QString, fragment);
        QVERIFY2(t->Debug_CommandText.contains(f.native(fragment)), qPrintable(t->Debug_CommandText));
        QTEST(t->RecordCount(), "count");
    }

    // A key that SQL_WHERE hides is searched once more without it.
    void findKeyBeyondWhere_data() { dialects_data(); }
    void findKeyBeyondWhere()
    {
        QFETCH(QString, dialect);
        Fixture f(dialect);
        auto t = table(f, QStringLiteral("Auftrag.DB"), QStringLiteral("Vorgang"));
        t->SQL_WHERE = QStringLiteral("Mandant=8");
        QVERIFY(t->FindKey({101}));
        QCOMPARE(t->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("B"));
        QCOMPARE(t->SQL_WHERE, QStringLiteral("Mandant=8"));  // restored for the next search
        QVERIFY(!t->FindKey({999}));
    }

    // A re-read that fails (the table went away) logs "Requery Fehler: " and does not raise.
    void requeryFailureLogged_data() { dialects_data(); }
    void requeryFailureLogged()
    {
        QFETCH(QString, dialect);
        Fixture f(dialect);
        QTemporaryDir programDir;
        const QByteArray previous = qgetenv("QEM_PROGRAM_DIR");
        qputenv("QEM_PROGRAM_DIR", programDir.path().toLocal8Bit());
        const auto restore = qScopeGuard([&] { qputenv("QEM_PROGRAM_DIR", previous); });
        auto t = table(f, QStringLiteral("Positionen.DB"), QStringLiteral("Ix_Auftrag"));
        t->SetName(QStringLiteral("TbL_Positionen"));
        t->Open();
        QVERIFY(t->RequeryLogged());
        f.conn.ExecSQL(QStringLiteral("DROP TABLE Positionen"));
        QVERIFY(!t->RequeryLogged());
        QFile log(sqlErrorLogPath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(log.readAll());
        QVERIFY2(text.contains(QStringLiteral("Requery Fehler: TbL_Positionen; ")), qPrintable(text));
        QVERIFY(text.contains(t->CommandText()));
    }

    // SetFilter reads the German truth words WAHR and FALSCH in any case.
    void germanFilterWords_data() { dialects_data(); }
    void germanFilterWords()
    {
        QFETCH(QString, dialect);
        Fixture f(dialect);
        f.create(QStringLiteral("Zahlung.DB"), {{"ID", ftAutoInc, 0}, {"Fibu", ftBoolean, 0}}, {});
        for (const char* row : {"(1)", "(0)", "(1)"})
            f.conn.ExecSQL(QStringLiteral("INSERT INTO Zahlung (Fibu) VALUES ") + QString::fromLatin1(row));
        auto t = table(f, QStringLiteral("Zahlung.DB"));
        t->Open();
        t->SetFilter(QStringLiteral("Fibu = Wahr"));
        QCOMPARE(t->Filter(), QStringLiteral("Fibu = TRUE"));
        t->SetFiltered(true);
        QCOMPARE(t->RecordCount(), 2);
        t->SetFilter(QStringLiteral("fibu = falsch"));
        QCOMPARE(t->RecordCount(), 1);
    }

    // The table statements executed: AddIndex (a "-" in the name becomes "_"), DeleteIndex,
    // EmptyTable, RenameTable, DeleteTable, Exists and GetOwner outside SQL Server.
    void tableStatementsExecuted_data() { dialects_data(); }
    void tableStatementsExecuted()
    {
        QFETCH(QString, dialect);
        Fixture f(dialect);
        auto t = table(f, QStringLiteral("Positionen.DB"));
        QVERIFY(t->Exists());
        QCOMPARE(t->GetOwner(QStringLiteral("[Positionen]")), QStringLiteral("[Positionen]"));
        t->AddIndex(QStringLiteral("Nach-Position"), QStringLiteral("Position"));
        t->SetIndexName(QStringLiteral("Nach_Position"));
        QCOMPARE(t->IndexFieldList(), QStringLiteral("Position"));
        t->DeleteIndex(QStringLiteral("Nach_Position"));
        QVERIFY_THROWS_EXCEPTION(EQemDatabaseError, t->IndexFieldList());
        t->SetIndexName(QString());
        t->Open();
        t->EmptyTable();
        QVERIFY(t->IsEmpty());
        QCOMPARE(f.conn.QueryValue(QStringLiteral("SELECT COUNT(*) FROM Positionen")).toInt(), 0);
        t->RenameTable(QStringLiteral("PositionenAlt.DB"));
        QVERIFY(!t->Exists());
        auto renamed = table(f, QStringLiteral("PositionenAlt.DB"));
        QVERIFY(renamed->Exists());
        renamed->DeleteTable();
        QVERIFY(!renamed->Exists());
    }

    // A key search the server keeps refusing ends after its 20 attempts with the table name,
    // the statement and the server's message.
    void gotoKeyGivesUp()
    {
        Fixture f(QStringLiteral("sqlite"));
        auto t = table(f, QStringLiteral("Fehlt.DB"));
        f.mark();
        try {
            t->GotoKeyValues({1});
            QFAIL("a key search on a missing table reported success");
        } catch (const EQemDatabaseError& e) {
            const QStringList lines = e.message().split(QLatin1Char('\n'));
            QCOMPARE(lines.value(0), QStringLiteral("Fehlt"));
            QCOMPARE(lines.value(1), QStringLiteral("SELECT * FROM Fehlt WHERE  = 1"));
            QVERIFY2(lines.value(2).startsWith(QLatin1String("Open Fehler: ")), qPrintable(e.message()));
        }
        // 20 attempts, each an open with recovery, which sends the statement a second time.
        QCOMPARE(f.log.filter(QStringLiteral("SELECT * FROM Fehlt")).size(), 40);
    }
};

QTEST_GUILESS_MAIN(TstTQemTable)
#include "tst_tqemtable.moc"
