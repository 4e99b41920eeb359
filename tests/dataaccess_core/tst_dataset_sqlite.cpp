// The dataset core and the query on a real SQLite file: cursor, typed fields, write-back by key,
// auto-increment keys, locate, filters, parameters, master and detail, the local dialect, row
// limits, open recovery and the SQL error log, fallback posting and deleting on joins.

#include "dataaccess/datasethelpers.h"
#include "dataaccess/sqlerrorlog.h"
#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemdatasource.h"
#include "dataaccess/tqemquery.h"
#include "testsupport.h"

#include <QtTest>

namespace {

const char* const schema[] = {
    "CREATE TABLE Land (LandID INTEGER PRIMARY KEY AUTOINCREMENT, Name VARCHAR(40), Kurz VARCHAR(3))",
    "CREATE TABLE Adressen (AdrNr INTEGER PRIMARY KEY AUTOINCREMENT, Name VARCHAR(40), Ort TEXT, Land INTEGER,"
    " Aktiv BOOLEAN, Umsatz REAL, Seit DATE, Geaendert DATETIME, Notiz MEMO)",
    "CREATE TABLE Positionen (PosNr INTEGER PRIMARY KEY AUTOINCREMENT, Auftrag INTEGER, Artikel TEXT, Menge REAL)",
    "INSERT INTO Land (Name, Kurz) VALUES ('Deutschland','D'), ('Österreich','A')",
    "INSERT INTO Adressen (Name, Ort, Land, Aktiv, Umsatz, Seit, Geaendert, Notiz) VALUES"
    " ('Müller','Köln',1,1,1234.5,'2024-12-31','2024-02-01 13:05:00','erste'),"
    " ('Meier','Wien',2,0,99.25,'2023-01-15',NULL,NULL),"
    " ('Schmidt','Bonn',1,1,NULL,NULL,NULL,NULL)",
    "INSERT INTO Positionen (Auftrag, Artikel, Menge) VALUES (1,'A1',1),(1,'A2',2),(2,'B1',5),(3,'C1',1),(3,'C2',1),(3,'C3',1)",
};

// A query whose opens fail a given number of times with a given message.
class FlakyQuery : public TQemQuery {
public:
    int failures = 0;
    int attempts = 0;
    QString message = QStringLiteral("Commands out of sync; you can't run this command now");

protected:
    void OpenCursor() override
    {
        ++attempts;
        if (attempts <= failures)
            throw EQemDatabaseError(message);
        TQemQuery::OpenCursor();
    }
};

}  // namespace

class TstDatasetSqlite : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void navigation();
    void typedFields_data();
    void typedFields();
    void fieldLookupAndState();
    void editSendsOnlyAssignedColumns();
    void appendReadsBackKey();
    void deleteAndCancel();
    void rowGoneReachesCaller();
    void locate_data();
    void locate();
    void filter();
    void parametersAndMasterDetail();
    void localDialect();
    void rowLimit();
    void brokenStatementLogged();
    void syncRetries();
    void fallbackPostOnJoin();
    void deleteOnJoin();
    void attachedLocalDatabase();
    void fetchOnDemand();
    void helpers();

private:
    QSqlDatabase raw() const { return conn->Database(); }
    QVariant rawValue(const QString& sql) const
    {
        QSqlQuery q(raw());
        if (!q.exec(sql) || !q.next())
            return QVariant();
        return q.value(0);
    }
    std::unique_ptr<TQemQuery> query(const QString& sql, const QString& name = QStringLiteral("QU_Test"))
    {
        auto q = std::make_unique<TQemQuery>();
        q->SetName(name);
        q->SetConnection(conn.get());
        q->SetSQL(sql);
        return q;
    }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<testsupport::TempProgramDir> program;
    std::unique_ptr<TQemConnection> conn;
    QStringList sent;
};

void TstDatasetSqlite::init()
{
    QemState::reset();
    program = std::make_unique<testsupport::TempProgramDir>(false);
    dir = std::make_unique<QTemporaryDir>();
    conn = std::make_unique<TQemConnection>();
    conn->SetConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + dir->filePath(QStringLiteral("wawi.sqlite")));
    conn->Open();
    QCOMPARE(conn->SERVER_TYPE, 3);
    for (const char* statement : schema)
        QVERIFY2(QSqlQuery(raw()).exec(QString::fromUtf8(statement)), statement);
    sent.clear();
    conn->OnStatement = [this](const QString& sql) { sent << sql; };
}

void TstDatasetSqlite::cleanup()
{
    conn.reset();
    dir.reset();
    program.reset();
}

void TstDatasetSqlite::navigation()
{
    auto q = query(QStringLiteral("SELECT * FROM Adressen ORDER BY AdrNr"));
    QVERIFY(!q->Active());
    QVERIFY(q->Eof());
    q->Open();
    QCOMPARE(q->State(), dsBrowse);
    QCOMPARE(q->RecordCount(), 3);
    QCOMPARE(q->RecNo(), 1);
    QVERIFY(q->Bof());
    QVERIFY(!q->Eof());
    QStringList names;
    for (q->First(); !q->Eof(); q->Next())
        names << q->FieldByName(QStringLiteral("Name"))->AsString();
    QCOMPARE(names, (QStringList{QStringLiteral("Müller"), QStringLiteral("Meier"), QStringLiteral("Schmidt")}));
    QCOMPARE(q->RecNo(), 3);  // Eof leaves the cursor on the last row

    // Walking backwards from Last, as the journal's clean-up does.
    names.clear();
    for (q->Last(); !q->Bof(); q->Prior())
        names << q->FieldByName(QStringLiteral("Name"))->AsString();
    QCOMPARE(names.size(), 3);
    QCOMPARE(names.first(), QStringLiteral("Schmidt"));

    q->SetRecNo(2);
    QCOMPARE(q->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Meier"));
    QCOMPARE(q->MoveBy(5), 1);
    QVERIFY(q->Eof());
    int scrolls = 0;
    q->AfterScroll = [&scrolls](TQemDataSet&) { ++scrolls; };
    q->First();
    q->Next();
    QCOMPARE(scrolls, 2);
    q->Close();
    QCOMPARE(q->State(), dsInactive);

    auto empty = query(QStringLiteral("SELECT * FROM Adressen WHERE AdrNr < 0"));
    empty->Open();
    QVERIFY(empty->IsEmpty());
    QVERIFY(empty->Eof() && empty->Bof());
    QCOMPARE(empty->RecNo(), 0);
    QCOMPARE(empty->RecordCount(), 0);
    QVERIFY(empty->FieldByName(QStringLiteral("Name"))->IsNull());
}

void TstDatasetSqlite::typedFields_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("string") << 1 << "Name" << "Müller" << QVariant(QStringLiteral("Müller"));
    QTest::newRow("integer") << 1 << "Land" << "1" << QVariant(1);
    QTest::newRow("boolean-true") << 1 << "Aktiv" << "True" << QVariant(true);
    QTest::newRow("boolean-false") << 2 << "Aktiv" << "False" << QVariant(false);
    QTest::newRow("float-german") << 2 << "Umsatz" << "99,25" << QVariant(99.25);
    QTest::newRow("date") << 1 << "Seit" << "31.12.2024" << QVariant(QDate(2024, 12, 31));
    QTest::newRow("date-time") << 1 << "Geaendert" << "01.02.2024 13:05:00" << QVariant(QDateTime(QDate(2024, 2, 1), QTime(13, 5)));
    QTest::newRow("null-float") << 3 << "Umsatz" << "" << QVariant();
    QTest::newRow("memo") << 1 << "Notiz" << "erste" << QVariant(QStringLiteral("erste"));
}

void TstDatasetSqlite::typedFields()
{
    QFETCH(int, row);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QVariant, value);
    auto q = query(QStringLiteral("SELECT * FROM Adressen ORDER BY AdrNr"));
    q->Open();
    q->SetRecNo(row);
    TQemField* f = q->FieldByName(field);
    QCOMPARE(f->AsString(), text);
    QCOMPARE(f->IsNull(), !value.isValid());
    if (!value.isValid())
        return;
    switch (value.typeId()) {
    case QMetaType::Bool: QCOMPARE(f->AsBoolean(), value.toBool()); break;
    case QMetaType::Int: QCOMPARE(f->AsInteger(), value.toInt()); break;
    case QMetaType::Double: QCOMPARE(f->AsFloat(), value.toDouble()); break;
    case QMetaType::QDate: QCOMPARE(f->AsDate(), value.toDate()); break;
    case QMetaType::QDateTime: QCOMPARE(f->AsDateTime(), value.toDateTime()); break;
    default: QCOMPARE(f->Value().toString(), value.toString());
    }
}

void TstDatasetSqlite::fieldLookupAndState()
{
    auto q = query(QStringLiteral("SELECT * FROM Adressen ORDER BY AdrNr"));
    q->Open();
    QCOMPARE(q->FindField(QStringLiteral("gibtsnicht")), nullptr);
    QCOMPARE(q->FindField(QStringLiteral("umsatz"))->FieldName(), QStringLiteral("Umsatz"));
    QCOMPARE(q->Fields(0)->FieldName(), QStringLiteral("AdrNr"));
    QVERIFY(q->Fields(0)->IsAutoIncrement());
    try {
        q->FieldByName(QStringLiteral("Gibtsnicht"));
        QFAIL("unknown field found");
    } catch (const EQemDatabaseError& e) {
        QVERIFY2(e.message().contains(QLatin1String("Feld 'Gibtsnicht' nicht gefunden")), qPrintable(e.message()));
    }
    // Writing needs edit state.
    QVERIFY_THROWS_EXCEPTION(EQemDatabaseError, q->FieldByName(QStringLiteral("Name"))->SetAsString(QStringLiteral("x")));
    // Display format of the journal.
    TQemField* umsatz = q->FieldByName(QStringLiteral("Umsatz"));
    ZahlFormatSetzen(umsatz, QStringLiteral("#,###,###,##0.00"));
    QCOMPARE(umsatz->DisplayText(), QStringLiteral("1.234,50"));
    QCOMPARE(umsatz->AsString(), QStringLiteral("1234,5"));
    ZahlFormatSetzen(q->FieldByName(QStringLiteral("Name")), QStringLiteral("0.00"));
    QCOMPARE(q->FieldByName(QStringLiteral("Name"))->DisplayText(), QStringLiteral("Müller"));
    // Typed assignment from German texts.
    q->Edit();
    umsatz->SetAsString(QStringLiteral("1.500,75"));
    QCOMPARE(umsatz->AsFloat(), 1500.75);
    q->FieldByName(QStringLiteral("Seit"))->SetAsString(QStringLiteral("01.03.2025"));
    q->FieldByName(QStringLiteral("Aktiv"))->SetAsString(QStringLiteral("FALSCH"));
    QVERIFY_THROWS_EXCEPTION(EQemDatabaseError, q->FieldByName(QStringLiteral("Land"))->SetAsString(QStringLiteral("abc")));
    q->Post();
    QCOMPARE(rawValue(QStringLiteral("SELECT Seit FROM Adressen WHERE AdrNr=1")).toString(), QStringLiteral("2025-03-01"));
    QCOMPARE(rawValue(QStringLiteral("SELECT Aktiv FROM Adressen WHERE AdrNr=1")).toInt(), 0);
    QCOMPARE(rawValue(QStringLiteral("SELECT Umsatz FROM Adressen WHERE AdrNr=1")).toDouble(), 1500.75);
}

void TstDatasetSqlite::editSendsOnlyAssignedColumns()
{
    auto q = query(QStringLiteral("SELECT * FROM Adressen ORDER BY AdrNr"));
    q->Open();
    q->Next();
    // Another user changes the name meanwhile; our post of Ort must not overwrite it.
    QVERIFY(QSqlQuery(raw()).exec(QStringLiteral("UPDATE Adressen SET Name='Maier' WHERE AdrNr=2")));
    int before = 0, after = 0;
    q->BeforePost = [&before](TQemDataSet&) { ++before; };
    q->AfterPost = [&after](TQemDataSet&) { ++after; };
    sent.clear();
    q->Edit();
    QCOMPARE(q->State(), dsEdit);
    q->FieldByName(QStringLiteral("Ort"))->SetAsString(QStringLiteral("Graz"));
    q->FieldByName(QStringLiteral("Land"))->SetValue(2);  // unchanged value: not sent
    QVERIFY(q->Modified());
    q->Post();
    QCOMPARE(q->State(), dsBrowse);
    QCOMPARE(sent, QStringList{QStringLiteral("UPDATE [Adressen] SET [Ort]=? WHERE [AdrNr]=?")});
    QCOMPARE(before, 1);
    QCOMPARE(after, 1);
    QCOMPARE(rawValue(QStringLiteral("SELECT Name || '/' || Ort FROM Adressen WHERE AdrNr=2")).toString(), QStringLiteral("Maier/Graz"));
    QCOMPARE(q->FieldByName(QStringLiteral("Ort"))->AsString(), QStringLiteral("Graz"));
    QCOMPARE(q->RecNo(), 2);

    // An edit without changes sends nothing.
    sent.clear();
    q->Edit();
    q->Post();
    QVERIFY(sent.isEmpty());
}

void TstDatasetSqlite::appendReadsBackKey()
{
    auto q = query(QStringLiteral("SELECT * FROM Adressen ORDER BY AdrNr"));
    q->Open();
    q->Append();
    QCOMPARE(q->State(), dsInsert);
    q->FieldByName(QStringLiteral("Name"))->SetAsString(QStringLiteral("O'Neill \\ Söhne"));
    q->FieldByName(QStringLiteral("Aktiv"))->SetAsBoolean(true);
    q->FieldByName(QStringLiteral("Geaendert"))->SetAsDateTime(QDateTime(QDate(2025, 1, 2), QTime(8, 30)));
    q->Post();
    QCOMPARE(q->FieldByName(QStringLiteral("AdrNr"))->AsInteger(), 4);
    QCOMPARE(q->RecordCount(), 4);
    QCOMPARE(q->RecNo(), 4);
    QCOMPARE(rawValue(QStringLiteral("SELECT Name FROM Adressen WHERE AdrNr=4")).toString(), QStringLiteral("O'Neill \\ Söhne"));
    QCOMPARE(rawValue(QStringLiteral("SELECT Geaendert FROM Adressen WHERE AdrNr=4")).toString(), QStringLiteral("2025-01-02 08:30:00"));

    // Insert goes in front of the current row.
    q->First();
    q->Insert();
    q->FieldByName(QStringLiteral("Name"))->SetAsString(QStringLiteral("Vorne"));
    q->Post();
    QCOMPARE(q->RecNo(), 1);
    QCOMPARE(q->FieldByName(QStringLiteral("AdrNr"))->AsInteger(), 5);
    q->Next();
    QCOMPARE(q->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Müller"));
}

void TstDatasetSqlite::deleteAndCancel()
{
    auto q = query(QStringLiteral("SELECT * FROM Adressen ORDER BY AdrNr"));
    q->Open();
    q->Append();
    q->FieldByName(QStringLiteral("Name"))->SetAsString(QStringLiteral("weg"));
    q->Cancel();
    QCOMPARE(q->RecordCount(), 3);
    QCOMPARE(rawValue(QStringLiteral("SELECT COUNT(*) FROM Adressen")).toInt(), 3);

    q->Edit();
    q->FieldByName(QStringLiteral("Name"))->SetAsString(QStringLiteral("anders"));
    q->Cancel();
    QCOMPARE(q->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Müller"));

    bool vetoed = true;
    q->BeforeDelete = [&vetoed](TQemDataSet&) {
        if (vetoed)
            throw EAbort();
    };
    QVERIFY_THROWS_EXCEPTION(EAbort, q->Delete());
    QCOMPARE(q->RecordCount(), 3);
    vetoed = false;
    q->SetRecNo(2);
    q->Delete();
    QCOMPARE(q->RecordCount(), 2);
    QCOMPARE(q->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Schmidt"));  // the following row
    q->Delete();  // the last row: the cursor goes back
    QCOMPARE(q->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Müller"));
    q->Delete();
    QVERIFY(q->IsEmpty());
    QVERIFY_THROWS_EXCEPTION(EQemDatabaseError, q->Delete());
    QCOMPARE(rawValue(QStringLiteral("SELECT COUNT(*) FROM Adressen")).toInt(), 0);
}

void TstDatasetSqlite::rowGoneReachesCaller()
{
    // "SELECT * FROM Adressen" ends with its table name: the query has no TableName, so a post
    // the layer rejects (row deleted by another user) reaches the caller.
    auto q = query(QStringLiteral("SELECT * FROM Adressen"));
    q->Open();
    QVERIFY(q->TableName().isEmpty());
    QVERIFY(QSqlQuery(raw()).exec(QStringLiteral("DELETE FROM Adressen WHERE AdrNr=1")));
    q->Edit();
    q->FieldByName(QStringLiteral("Ort"))->SetAsString(QStringLiteral("Neu"));
    try {
        q->Post();
        QFAIL("post of a deleted row succeeded");
    } catch (const EQemDatabaseError& e) {
        QVERIFY2(e.message().contains(QLatin1String("nicht gefunden")), qPrintable(e.message()));
    }
    QCOMPARE(q->State(), dsEdit);
    q->Cancel();
}

void TstDatasetSqlite::locate_data()
{
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<int>("options");
    QTest::addColumn<int>("expectedAdrNr");  // 0: not found
    QTest::newRow("exact") << "Name" << QVariantList{QStringLiteral("Meier")} << 0 << 2;
    QTest::newRow("case-sensitive-miss") << "Name" << QVariantList{QStringLiteral("meier")} << 0 << 0;
    QTest::newRow("case-insensitive") << "Name" << QVariantList{QStringLiteral("MÜLLER")} << int(loCaseInsensitive) << 1;
    QTest::newRow("partial") << "Name" << QVariantList{QStringLiteral("sch")} << int(loCaseInsensitive | loPartialKey) << 3;
    QTest::newRow("two-fields") << "Land;Ort" << QVariantList{1, QStringLiteral("bonn")} << int(loCaseInsensitive) << 3;
    QTest::newRow("number-as-text") << "AdrNr" << QVariantList{QStringLiteral("2")} << 0 << 2;
    QTest::newRow("date") << "Seit" << QVariantList{QDate(2023, 1, 15)} << 0 << 2;
    QTest::newRow("not-found") << "Name" << QVariantList{QStringLiteral("Niemand")} << int(loCaseInsensitive) << 0;
}

void TstDatasetSqlite::locate()
{
    QFETCH(QString, fields);
    QFETCH(QVariantList, values);
    QFETCH(int, options);
    QFETCH(int, expectedAdrNr);
    auto q = query(QStringLiteral("SELECT * FROM Adressen ORDER BY AdrNr"));
    q->Open();
    q->Last();
    const bool found = q->Locate(fields, values, options);
    QCOMPARE(found, expectedAdrNr != 0);
    QCOMPARE(q->FieldByName(QStringLiteral("AdrNr"))->AsInteger(), found ? expectedAdrNr : 3);
}

void TstDatasetSqlite::filter()
{
    auto q = query(QStringLiteral("SELECT * FROM Adressen ORDER BY AdrNr"));
    q->Open();
    q->SetFilter(QStringLiteral("Aktiv = wahr AND Umsatz > 100"));
    QCOMPARE(q->Filter(), QStringLiteral("Aktiv = TRUE AND Umsatz > 100"));
    QCOMPARE(q->RecordCount(), 3);  // not yet switched on
    q->SetFiltered(true);
    QCOMPARE(q->RecordCount(), 1);
    QCOMPARE(q->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Müller"));
    q->SetFilter(QStringLiteral("Name = 'M*'"));
    QCOMPARE(q->RecordCount(), 2);
    q->Last();
    QCOMPARE(q->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Meier"));
    try {
        q->SetFilter(QStringLiteral("Gibtsnicht = 1"));
        QFAIL("filter on an unknown field accepted");
    } catch (const EQemDatabaseError& e) {
        QVERIFY(!e.message().isEmpty());
    }
    q->SetFilter(QString());
    QCOMPARE(q->RecordCount(), 3);
    q->SetFilter(QStringLiteral("Ort = 'Köln'"));
    q->SetFiltered(false);
    QCOMPARE(q->RecordCount(), 3);
}

void TstDatasetSqlite::parametersAndMasterDetail()
{
    auto master = query(QStringLiteral("SELECT DISTINCT Auftrag FROM Positionen ORDER BY Auftrag"), QStringLiteral("QU_Master"));
    auto detail = query(QStringLiteral("SELECT * FROM Positionen WHERE Auftrag=:Auftrag ORDER BY PosNr"), QStringLiteral("QU_Detail"));
    QCOMPARE(detail->Parameters().Count(), 1);
    QVERIFY_THROWS_EXCEPTION(EQemDatabaseError, detail->ParamByName(QStringLiteral("Kunde")));
    detail->ParamByName(QStringLiteral("auftrag")).SetValue(2);
    detail->Open();
    QCOMPARE(detail->RecordCount(), 1);
    detail->Close();

    TQemDataSource source(master.get());
    detail->SetMasterSource(&source);
    detail->SetMasterFields(QStringLiteral("Auftrag"));
    master->Open();
    detail->Open();
    QCOMPARE(detail->RecordCount(), 2);
    master->Next();
    QCOMPARE(detail->RecordCount(), 1);
    QCOMPARE(detail->FieldByName(QStringLiteral("Artikel"))->AsString(), QStringLiteral("B1"));
    master->Last();
    QCOMPARE(detail->RecordCount(), 3);
    // A quote in a parameter value is a value, never statement text.
    auto byName = query(QStringLiteral("SELECT * FROM Adressen WHERE Name=:Name"));
    byName->ParamByName(QStringLiteral("Name")).SetValue(QStringLiteral("x' OR '1'='1"));
    byName->Open();
    QVERIFY(byName->IsEmpty());
}

void TstDatasetSqlite::localDialect()
{
    auto q = query(QStringLiteral("SELECT [Name], IFNULL(Umsatz,0) AS U FROM Adressen.db WHERE Aktiv=WAHR AND  ISNULL(Umsatz,0)>=0 ORDER BY [Name]"));
    q->Open();
    QCOMPARE(q->SQL(), QStringLiteral("SELECT [Name], IFNULL(Umsatz,0) AS U FROM Adressen WHERE Aktiv=1 AND  IFNULL(Umsatz,0)>=0 ORDER BY [Name]"));
    QCOMPARE(sent.last(), q->SQL());
    QCOMPARE(q->TableName(), QStringLiteral("Adressen"));
    QCOMPARE(q->RecordCount(), 2);
    QCOMPARE(q->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Müller"));

    auto exec = query(QStringLiteral("UPDATE Adressen.db SET Aktiv=FALSCH WHERE Land=1"));
    QCOMPARE(exec->ExecSQL(), 2);
    QCOMPARE(rawValue(QStringLiteral("SELECT SUM(Aktiv) FROM Adressen")).toInt(), 0);
}

void TstDatasetSqlite::rowLimit()
{
    auto q = query(QStringLiteral("select * from Positionen order by PosNr"));
    q->SetTopSelect(2);
    QCOMPARE(q->SQL(), QStringLiteral("select * from Positionen order by PosNr LIMIT 2"));
    q->Open();
    QCOMPARE(q->RecordCount(), 2);
    q->SetTopSelect(-1);
    q->Close();
    q->Open();
    QCOMPARE(q->RecordCount(), 6);
    q->SetMaxRecords(4);
    QCOMPARE(q->CommandText(), QStringLiteral("select * from Positionen order by PosNr LIMIT 4"));
    QCOMPARE(q->RecordCount(), 4);
    // The connection's limit applies when the query's own is 0.
    auto r = query(QStringLiteral("SELECT * FROM Positionen"));
    conn->MaxRecords = 3;
    r->Open();
    QCOMPARE(r->RecordCount(), 3);
}

void TstDatasetSqlite::brokenStatementLogged()
{
    auto q = query(QStringLiteral("SELECT * FROM Gibtsnicht.db WHERE x=1"), QStringLiteral("QU_Kunden"));
    try {
        q->Open();
        QFAIL("broken statement opened");
    } catch (const EQemDatabaseError& e) {
        QVERIFY2(e.message().startsWith(QLatin1String("Open Fehler: QU_Kunden; ")), qPrintable(e.message()));
        QVERIFY(e.message().contains(QLatin1String("Gibtsnicht")));
    }
    QVERIFY(!q->Active());
    QFile log(sqlErrorLogPath());
    QCOMPARE(QFileInfo(log).absolutePath(), QFileInfo(program->path()).absoluteFilePath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(log.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(QRegularExpression(QStringLiteral("^ \\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d: Open Fehler: QU_Kunden; .*Gibtsnicht"))
                 .match(lines[0]).hasMatch(), qPrintable(lines[0]));
    QVERIFY2(lines[1].endsWith(QLatin1String(": SELECT * FROM Gibtsnicht WHERE x=1")), qPrintable(lines[1]));
}

void TstDatasetSqlite::syncRetries()
{
    FlakyQuery q;
    q.SetName(QStringLiteral("QU_Sync"));
    q.SetConnection(conn.get());
    q.SetSQL(QStringLiteral("SELECT * FROM Land"));
    q.RecoveryPauseMs = 1;
    q.failures = 3;
    q.Open();
    QVERIFY(q.Active());
    QCOMPARE(q.attempts, 4);
    QCOMPARE(q.RecordCount(), 2);
    QVERIFY(!QFile::exists(sqlErrorLogPath()));
    q.Close();

    // A lasting "sync" failure gives up after the recovery time.
    q.attempts = 0;
    q.failures = 1000000;
    q.RecoveryTimeoutMs = 60;
    QVERIFY_THROWS_EXCEPTION(EQemDatabaseError, q.Open());
    QVERIFY(q.attempts > 3);
    QVERIFY(QFile::exists(sqlErrorLogPath()));

    // Any other failure is tried once more, without waiting.
    q.attempts = 0;
    q.failures = 1;
    q.message = QStringLiteral("Deadlock");
    q.Open();
    QCOMPARE(q.attempts, 2);
}

void TstDatasetSqlite::fallbackPostOnJoin()
{
    auto q = query(QStringLiteral("SELECT a.*, l.Name AS LandName FROM Adressen.db a JOIN Land.db l ON l.LandID=a.Land ORDER BY a.AdrNr"));
    q->Open();
    QCOMPARE(q->TableName(), QStringLiteral("Adressen"));
    q->SetRecNo(2);
    q->Edit();
    q->FieldByName(QStringLiteral("Ort"))->SetAsString(QStringLiteral("O'Brien \\ Nord"));
    q->Post();  // the core cannot write a join: the fallback statement does
    QVERIFY(q->PostCompletedByFallback());
    QVERIFY(q->PostErrorFlag());
    QCOMPARE(rawValue(QStringLiteral("SELECT Ort FROM Adressen WHERE AdrNr=2")).toString(), QStringLiteral("O'Brien \\ Nord"));
    QVERIFY(sent.contains(QStringLiteral("UPDATE [Adressen] SET [Ort]='O''Brien \\ Nord' WHERE AdrNr=2")));
    QCOMPARE(q->RecNo(), 2);
    QCOMPARE(q->FieldByName(QStringLiteral("Ort"))->AsString(), QStringLiteral("O'Brien \\ Nord"));

    // An insert into the join writes the base table's columns; the auto-increment key is left out.
    q->Append();
    q->FieldByName(QStringLiteral("Name"))->SetAsString(QStringLiteral("Neu"));
    q->FieldByName(QStringLiteral("Land"))->SetValue(1);
    q->Post();
    QCOMPARE(rawValue(QStringLiteral("SELECT COUNT(*) FROM Adressen WHERE Name='Neu' AND Land=1")).toInt(), 1);
    QCOMPARE(q->RecordCount(), 4);
    QCOMPARE(q->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Neu"));
}

void TstDatasetSqlite::deleteOnJoin()
{
    auto q = query(QStringLiteral("SELECT a.AdrNr, a.Name, l.Name AS LandName FROM Adressen a JOIN Land l ON l.LandID=a.Land ORDER BY a.AdrNr"));
    q->Open();
    q->SetRecNo(2);
    q->Delete();
    QVERIFY(sent.contains(QStringLiteral("DELETE FROM [Adressen] WHERE [AdrNr]=2")));
    QCOMPARE(rawValue(QStringLiteral("SELECT COUNT(*) FROM Adressen")).toInt(), 2);
    QCOMPARE(q->RecordCount(), 2);
    QCOMPARE(q->FieldByName(QStringLiteral("AdrNr"))->AsInteger(), 3);
}

void TstDatasetSqlite::attachedLocalDatabase()
{
    const QString name = QStringLiteral("DateV_tst");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(dir->filePath(QStringLiteral("wawi.sqlite")));
        QVERIFY(db.open());
    }
    {
        TQemConnection local;
        local.AttachDatabase(name);
        QCOMPARE(local.SERVER_TYPE, 3);
        QVERIFY(local.Connected());
        TQemQuery q;
        q.SetConnection(&local);
        QCOMPARE(local.GetDataSetCount(), 1);
        QCOMPARE(local.GetDataSet(0), &q);
        q.SetSQL(QStringLiteral("SELECT * FROM Land.DB WHERE Kurz='A'"));
        q.Open();
        QCOMPARE(q.FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Österreich"));
        q.Edit();
        q.FieldByName(QStringLiteral("Kurz"))->SetAsString(QStringLiteral("AT"));
        q.Post();
    }
    QVERIFY(QSqlDatabase::database(name, false).isOpen());  // the wrapper never closes it
    QCOMPARE(rawValue(QStringLiteral("SELECT Kurz FROM Land WHERE LandID=2")).toString(), QStringLiteral("AT"));
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
}

void TstDatasetSqlite::fetchOnDemand()
{
    QSqlQuery fill(raw());
    QVERIFY(raw().transaction());
    for (int i = 0; i < 95; ++i)
        QVERIFY(fill.exec(QStringLiteral("INSERT INTO Positionen (Auftrag, Artikel, Menge) VALUES (9, 'X%1', %1)").arg(i)));
    QVERIFY(raw().commit());
    auto q = query(QStringLiteral("SELECT * FROM Positionen ORDER BY PosNr"));
    q->SetFetchOnDemand(true);
    q->FetchBlockSize = 10;
    q->Open();
    QVERIFY(!q->AllFetched());
    int rows = 0;
    for (q->First(); !q->Eof(); q->Next())
        ++rows;
    QCOMPARE(rows, 101);
    QVERIFY(q->AllFetched());
    q->Close();
    q->Open();
    QCOMPARE(q->RowValue(50, 0).toInt(), 51);
    QVERIFY(!q->AllFetched());
    QCOMPARE(q->RecordCount(), 101);
}

void TstDatasetSqlite::helpers()
{
    TQemQuery q;
    q.SetConnection(conn.get());
    QVERIFY(AbfrageOeffnen(q, QStringLiteral("SELECT * FROM Land")));
    QCOMPARE(q.RecordCount(), 2);
    QVERIFY(!AbfrageOeffnen(q, QStringLiteral("SELECT * FROM Gibtsnicht")));
    QVERIFY(!q.Active());
    QVERIFY(AbfrageOeffnen(q, QStringLiteral("SELECT * FROM Land")));
    QVERIFY(BearbeitenStarten(q));
    QCOMPARE(q.State(), dsEdit);
    QVERIFY(BearbeitenStarten(q));
    q.Cancel();
    q.Close();
    QVERIFY(BearbeitenStarten(q));  // nothing to start on a closed dataset
    QCOMPARE(q.State(), dsInactive);
}

QTEST_GUILESS_MAIN(TstDatasetSqlite)
#include "tst_dataset_sqlite.moc"
