#pragma once
// TQemTable: a merchandise-management table opened by its Paradox name, with the programming
// model of a Paradox table (current index, ranges, key search, record numbers, master and
// detail) emulated in SQL over the one connection.
//
//   TQemTable t;  t.SetConnection(&conn);
//   t.SetTableName("Auftrag.DB");          // base name "Auftrag" in every statement
//   t.SetIndexName("was");                 // index of the server (SQLite: "was" or "Auftrag_was")
//   t.Open();                              // SELECT * FROM Auftrag ORDER BY [Mandant],[Art],...
//   t.SetRange({7, 0}, {7, 10000});        // ... WHERE ([Mandant]=7) AND ([Art] BETWEEN 0 AND 10000)
//   if (t.FindKey({7, 1, 4711})) { t.Edit(); t.FieldByName("Fibu")->SetAsBoolean(true); t.Post(); }
//
// Indexes come from the server's own index definitions (TableMetadata, loaded once per table
// name); an empty IndexName means "DEFAULT", which falls back to the primary key. Values of
// FindKey and SetRange are typed (int, QString, QDate, bool, double); an empty QString or a null
// QVariant in a range means "empty or missing". A prefix search ends the end value with the
// character 127 ("Mei" + QChar(127)), a word search separates words with "*" (all) or "~" (any).
//
// Posting: Edit/Post sends an UPDATE by the key with only the changed columns; an insert reads
// its new auto-increment key back (MySQL: the insert token in Qem_dummy, else LAST_INSERT_ID).
// A post the server rejects is completed by an explicit INSERT or UPDATE (no error for the
// caller; a failure of that statement is only logged). A row held by another user is the
// exception: the post waits at most LockWaitSeconds per try (MySQL: innodb_lock_wait_timeout of
// the session), tries LockRetries more times, and raises EQemDatabaseError with the German text
// of RowLockedMessage() so the import can report or skip the document.
//
// Rows are fetched completely on open (a synchronous engine), so record numbers are always
// known and the waits for rows arriving in the background do not apply.

#include "dataaccess/tablemetadata.h"
#include "dataaccess/tablesql.h"
#include "dataaccess/tqemdataset.h"

#include <QDateTime>
#include <QElapsedTimer>

class TQemTable : public TQemDataSet {
    Q_OBJECT
public:
    explicit TQemTable(QObject* owner = nullptr);
    ~TQemTable() override;

    // --- names and index
    void SetTableName(const QString& name);
    QString TableName() const { return tableName_; }
    QString BaseName() const { return TableSql::baseName(tableName_); }
    QString UpdateTableName() const override { return BaseName(); }
    void SetIndexName(const QString& name) { indexName_ = name; }
    QString IndexName() const { return indexName_; }
    QString GetIndexName() const { return indexName_; }
    // Fields of the current index, "Mandant,Art" (plain) or "[Mandant],[Art]" (bracketed).
    // Throws EQemDatabaseError when the server has no index of that name.
    QString IndexFieldList(bool bracketed = false);
    QString IndexFieldNames;  // used instead of the index when set
    // The index definitions of the server (loads the metadata when needed).
    const QList<TableIndexInfo>& IndexDefs();
    // Reloads the metadata (after AddIndex and the like).
    void IndexUpdate();
    const TableMetadata& Metadata() const { return meta_; }

    // --- published
    bool QemOpenByRange = false;
    bool QemIndexWithoutOpen = false;
    bool DefaultIndex = false;
    bool Exclusive = false;
    bool StoreDefs = false;
    QString DatabaseName = QStringLiteral("Torvik");
    QString SessionName = QStringLiteral("SESSION_1");
    bool AutoRefresh() const { return false; }
    bool FBDEConvert = false;
    bool NoQem_CHANGE_LOG = false;
    bool ALLQem_CHANGE_LOG = false;
    bool ConversionMode = false;  // bulk conversion: no change log, no token, no key retrieval
    bool FirstIsAutoInc = false;
    bool NoMandant = false;
    QStringList SQL_FULLTEXT;
    QString SQL_ARTIN;
    QString SQL_SELECT;
    QString SQL_SELECT_TABNAME;
    QString SQL_WHERE;
    QString SQL_WHERE_LOGIG = QStringLiteral("AND");
    QString SQL_ORDER;
    QString Debug_CommandText;  // the last statement the table was opened with
    int CommandTimeout = 30000;
    // A row locked by another user: seconds per try, and further tries.
    int LockWaitSeconds = 5;
    int LockRetries = 1;
    static QString RowLockedMessage(const QString& table);

    // --- open, close, re-read
    void Open() override;
    void Close() override;
    void SetActive(bool value) override;
    // Re-reads with the same statement; on failure reopens; logs "Requery Fehler: " and returns
    // false when that fails too (never raises).
    bool RequeryLogged();
    void Requery() override { RequeryLogged(); }
    // Re-reads and returns to the same row. Without machit skipped within a second of the last
    // open; posit narrows the statement to the row when it cannot be found again.
    void Refresh(bool machit = false, bool posit = false);
    int MaxRecords() const { return maxRecords_; }
    void SetMaxRecords(int value);
    static QString TopSelect(const QString& statement, int count, int serverType)
    {
        return TableSql::topSelect(statement, count, serverType);
    }
    int GetRecNo() const { return RecNo(); }
    // FALSCH and WAHR (any case) become FALSE and TRUE, then the client-side filter.
    void SetFilter(const QString& text) override;
    void FlushBuffers() {}
    QDateTime OpenTime() const { return openTime_; }  // UTC: no time-zone lookup per re-read

    // --- keys and ranges
    void SetRange(const QVariantList& starts, const QVariantList& ends, bool reopen = false, bool dateFlag = false);
    void CancelRange();
    bool FindKey(const QVariantList& values);
    void FindNearest(const QVariantList& values) { FindKey(values); }
    // Key entry; a table under range opening first reads its fields (no rows).
    void SetKey() override;
    void EditKey() { SetKey(); }
    bool GotoKey();
    // The first row whose key starts with (text) or is at or after (numbers, dates) the entry.
    void GotoNearest();
    bool ApplyRange() { return GotoKey(); }
    void GotoCurrent(TQemDataSet& other);
    // nearest: the last value is a lower bound (text: a prefix), as GotoNearest needs it.
    void GotoKeyValues(const QVariantList& values, int attempt = 0, bool nearest = false);

    // --- value texts
    QString KeyValueToText(const QVariantList& values, int index, bool nullFlag, bool dateFlag);
    QString fbegrenz(const QString& column, const QString& valueText);
    QString FieldToSqlLiteral(TQemField* field, int dialect = -1) const;

    // --- posting
    // Writes the current edit or insert buffer by an explicit INSERT or UPDATE and ends the post.
    void Post_self();
    bool PostErrorFlag() const { return postErrorFlag_; }
    QString InsertToken() const { return insertToken_; }
    int HighestAutoIncKey() const { return highestKey_; }
    TQemField* ChangeLogField() const;

    // --- table statements (through the connection; errors pass to the caller)
    QList<SqlFieldDef> FieldDefs;
    QList<SqlIndexDef> IndexDefsToCreate;
    void AddIndex(const QString& name, const QString& fields, int options = 0, const QString& descFields = {});
    void DeleteIndex(const QString& name);
    void DeleteTable();
    void EmptyTable();
    bool Exists();
    void RenameTable(const QString& newName);
    QString GetOwner(const QString& name);
    void CreateTable();

    // The statement builder filled from this table's current properties.
    TableSql Sql();

protected:
    void DoBeforeOpen() override;
    void DoAfterOpen() override;
    void DoBeforePost() override;
    void DoAfterPost() override;
    TDataAction PostError(const EQemDatabaseError& error) override;
    void InternalPost() override;
    void InternalDelete() override;
    void MasterChanged() override;
    void CheckFirstFetch(bool flag) override;
    void ReadKeyColumns(const QString& table, QStringList& primary, QStringList& autoInc) override;

private:
    void ensureMetadata();
    void dropMetadataIfRenamed();
    void refreshDialect();
    bool hasMaster() const;
    QString keyFieldsForSearch();
    void openWithStatement(const QString& statement);
    void reread(const QString& statement, bool reopen);
    void prepareKeyOperation();
    bool findKey(const QVariantList& values, bool noRange);
    bool locateKey(const QStringList& fields, const QVariantList& values);
    QVariantList keyEntryValues();
    QString selectNone();
    int effectiveLimit() const;
    bool firstIsAutoInc() const;
    QList<PostColumn> postColumns(bool fromMetadata) const;
    void runFallback(bool insert);
    void retrieveNewKey();
    void applyChangeLog();
    void setLockWait();
    static bool isLockError(const QString& message);
    void logSql(const QString& text) const;
    QString firstColumnText() const;
    QString firstColumnName() const;

    QString tableName_;
    QString indexName_;
    TableMetadata meta_;
    QString indexCacheRequest_;
    QString indexCacheAnswer_;
    bool indexCacheValid_ = false;
    QString keyCacheRequest_;
    QString keyCachePosition_;
    QString insertToken_;
    int highestKey_ = 0;
    TDataSetState savedState_ = dsBrowse;
    bool postErrorFlag_ = false;
    bool paramProblem_ = false;
    bool masterReentry_ = false;
    int maxRecords_ = 0;
    QDateTime openTime_;
    QString lockWaitFor_;
    bool selfPost_ = false;  // Qt connection whose session has our lock wait time-out
};
