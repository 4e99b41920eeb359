#pragma once
// Client-side dataset over one SQL result: the common core of TQemTable, TQemQuery and the
// datasets on the local journal. Open() runs CommandText on the Connection and copies the whole
// result into memory (forward-only fetch, one QList<QVariant> per row); navigation, Locate and the
// client-side filter work on that copy. Edits are written back by key columns, sending only the
// columns that were assigned.
//
// Call sequence:
//   TQemDataSet ds;  ds.SetConnection(&conn);  ds.SetCommandText("SELECT * FROM Land");
//   ds.Open();                                     // throws EQemDatabaseError "Open Fehler: ..."
//   for (ds.First(); !ds.Eof(); ds.Next()) ds.FieldByName("Name")->AsString();
//   ds.Edit(); ds.FieldByName("Name")->SetAsString("X"); ds.Post();   // UPDATE ... WHERE key
//   ds.Append(); ...; ds.Post();  ds.FieldByName("ID")->AsInteger();   // auto-increment key read back
//
// States: dsInactive (closed), dsBrowse, dsEdit, dsInsert, dsSetKey (key entry, for TQemTable).
// Record numbers are 1-based; RecNo() is 0 on an empty result.
//
// Hooks: the virtual Do* methods call the std::function events of the same name; subclasses
// override Do* (and call the base) or the Internal* steps. PostError() decides what a rejected
// post does: daFail re-raises, daAbort cancels silently (EAbort), daRetry posts again, daHandled
// means the row was written another way (fallback statement) and the post completes.
//
// Large results (the journal of a million bookings): SetFetchOnDemand(true) before Open keeps the
// server cursor and fetches rows in blocks as the cursor or RowValue() reaches them; Last(),
// RecordCount() and filters fetch the rest. A view can also page with SqlDialect::topSelect and a
// WHERE on the key, or count with the connection's QueryValue("SELECT COUNT(*) FROM ...").
//
// Signals let grids follow the dataset without polling (rows are 0-based there).

#include "dataaccess/eqemdatabaseerror.h"
#include "dataaccess/tqemfield.h"
#include "dataaccess/tqemparams.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class TQemConnection;
class TQemDataSource;
class FilterExpression;

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey };

enum TLocateOption { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = int;

enum TDataAction { daFail, daAbort, daRetry, daHandled };

class TQemDataSet : public QObject {
    Q_OBJECT
public:
    using Row = QList<QVariant>;
    using Event = std::function<void(TQemDataSet&)>;

    explicit TQemDataSet(QObject* owner = nullptr);
    ~TQemDataSet() override;
    TQemDataSet(const TQemDataSet&) = delete;
    TQemDataSet& operator=(const TQemDataSet&) = delete;

    QString Name() const { return objectName(); }
    void SetName(const QString& name) { setObjectName(name); }

    // --- connection and dialect
    virtual void SetConnection(TQemConnection* connection);
    TQemConnection* Connection() const;
    // Dialect of this dataset, -1 until determined; refreshed lazily from the connection string.
    int SERVER_TYPE = -1;
    QString DB_TYPE = QStringLiteral("ADO");
    // Re-detects when SERVER_TYPE is negative or differs from CurrentServerType; copies the
    // result into CurrentServerType. Returns SERVER_TYPE.
    int RefreshServerType();

    // --- statement and parameters
    virtual void SetCommandText(const QString& sql);
    QString CommandText() const { return commandText_; }
    TQemParams& Parameters() { return params_; }
    TQemParam& ParamByName(const QString& name) { return params_.ParamByName(name); }

    // --- open and close
    virtual void Open();
    virtual void Close();
    virtual void SetActive(bool value);
    virtual bool Active() const { return state_ != dsInactive; }
    // Re-reads the result with the same statement; the cursor goes to the first row.
    virtual void Requery();
    // Open with the recovery protocol of the layer (lost connection, "sync" retries); raises
    // "Open Fehler: " + Name() + "; " + message after logging it and the statement.
    void OpenWithRecovery();
    int RecoveryTimeoutMs = 120000;  // "sync" retries
    int RecoveryPauseMs = 200;

    // --- fields
    int FieldCount() const { return int(fields_.size()); }
    TQemField* Fields(int index) const;
    TQemField* FindField(const QString& name) const;     // nullptr when unknown (any case)
    TQemField* FieldByName(const QString& name) const;   // throws "Feld '<name>' nicht gefunden"
    QStringList FieldNames() const;
    int FieldIndex(const QString& name) const;           // -1 when unknown

    // --- navigation (over the rows that pass the filter)
    void First();
    void Next();
    void Prior();
    void Last();
    int MoveBy(int distance);
    bool Eof() const;
    bool Bof() const;
    int RecNo() const;
    virtual void SetRecNo(int recNo);
    int RecordCount() const;
    bool IsEmpty() const;

    // Value of any visible row (0-based) without moving the cursor (grid models).
    QVariant RowValue(int row, int column) const;
    int CurrentRow() const { return cursor_; }

    // --- editing
    TDataSetState State() const { return state_; }
    bool Modified() const;
    void Edit();
    void Insert();
    void Append();
    void Post();
    void Cancel();
    void Delete();
    // Key entry: an empty buffer whose fields the caller assigns; Cancel() leaves it.
    virtual void SetKey();
    // Values of the key-entry (or edit) buffer, one per field.
    Row BufferValues() const;
    // Was the field assigned since Edit/Insert?
    bool FieldModified(int index) const;
    // The last post was completed by a fallback statement (PostError returned daHandled).
    bool PostCompletedByFallback() const { return postByFallback_; }
    TDataSetState SavedPostState() const { return savedPostState_; }

    // Columns that identify a row for UPDATE and DELETE; default: the primary key of the table
    // being updated, else its first column.
    void SetKeyFields(const QStringList& names) { keyFields_ = names; }
    QStringList KeyFields() const;
    // Table written by the default post and delete; default: UpdateTableName() of the subclass.
    virtual QString UpdateTableName() const { return updateTable_; }
    void SetUpdateTableName(const QString& name) { updateTable_ = name; }

    // --- locate: keyFields separated by ';' (or ','); values one per field.
    bool Locate(const QString& keyFields, const QVariantList& values, TLocateOptions options = 0);
    bool Locate(const QString& keyField, const QVariant& value, TLocateOptions options = 0)
    {
        return Locate(keyField, QVariantList{value}, options);
    }

    // --- client-side filter (FilterExpression syntax); throws EQemDatabaseError on a bad text
    virtual void SetFilter(const QString& text);
    QString Filter() const { return filterText_; }
    void SetFiltered(bool value);
    bool Filtered() const { return filtered_; }

    // --- master and detail
    void SetMasterSource(TQemDataSource* source);
    TQemDataSource* MasterSource() const;
    TQemDataSet* MasterDataSet() const;
    void SetMasterFields(const QString& names) { masterFields_ = names; }
    QString MasterFields() const { return masterFields_; }

    // --- large results
    void SetFetchOnDemand(bool value) { fetchOnDemand_ = value; }
    bool FetchOnDemand() const { return fetchOnDemand_; }
    int FetchBlockSize = 2000;
    // At most this many rows are read from a result (0: all); the row limit of MaxRecords.
    int FetchLimit = 0;
    void FetchAll();
    bool AllFetched() const { return !liveQuery_; }

    // --- controls
    void DisableControls() { ++disableCount_; }
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }
    // While set, after-scroll hooks are not run.
    bool SuppressAfterScroll = false;

    // --- events (run by the Do* hooks)
    Event BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    Event BeforeEdit, AfterEdit, BeforeInsert, AfterInsert, OnNewRecord;
    Event BeforePost, AfterPost, BeforeCancel, AfterCancel;
    Event BeforeDelete, AfterDelete, AfterScroll;
    std::function<TDataAction(TQemDataSet&, const EQemDatabaseError&)> OnPostError;

signals:
    void stateChanged(TDataSetState state);
    void opened();
    void closed();
    void rowsReset();                 // the whole result changed (open, requery, filter)
    void currentChanged(int row);     // cursor moved (0-based visible row, -1 none)
    void rowChanged(int row);         // values of a row changed (post)
    void rowInserted(int row);
    void rowRemoved(int row);

protected:
    // Hooks (each calls the event of the same name).
    virtual void DoBeforeOpen();
    virtual void DoAfterOpen();
    virtual void DoBeforeClose();
    virtual void DoAfterClose();
    virtual void DoBeforeEdit();
    virtual void DoAfterEdit();
    virtual void DoBeforeInsert();
    virtual void DoAfterInsert();
    virtual void DoOnNewRecord();
    virtual void DoBeforePost();
    virtual void DoAfterPost();
    virtual void DoBeforeCancel();
    virtual void DoAfterCancel();
    virtual void DoBeforeDelete();
    virtual void DoAfterDelete();
    virtual void DoAfterScroll();
    virtual TDataAction PostError(const EQemDatabaseError& error);

    // Steps.
    // The inner open: default OpenWithRecovery().
    virtual void InternalOpen();
    // Sends CommandText (parameters bound) and fetches the result; throws EQemDatabaseError.
    virtual void OpenCursor();
    // After every open and re-read (first-fetch check of the subclasses).
    virtual void CheckFirstFetch(bool flag) { (void)flag; }
    // Writes the buffer: INSERT of the assigned columns or UPDATE ... WHERE key columns.
    virtual void InternalPost();
    // DELETE ... WHERE key columns of the current row.
    virtual void InternalDelete();
    // The master's current row changed: default binds parameters named in MasterFields from the
    // master's fields of the same name and re-queries.
    virtual void MasterChanged();
    // Drops prepared command state ("detach and re-attach the connection").
    void Reattach();
    // Primary-key and auto-increment columns of the table being updated, read once per table
    // name; default: the driver's catalog (a statement or two), TQemTable answers from the
    // index and column definitions it holds anyway.
    virtual void ReadKeyColumns(const QString& table, QStringList& primary, QStringList& autoInc);

    // Result access for subclasses.
    int StorageIndex() const;                 // index into the cache of the current row, -1 none
    const Row* CurrentRowValues() const;
    void SetBufferValue(int index, const QVariant& value, bool markModified = true);
    void NotifyScrolled();
    // Sends a statement of our own with bound values through the connection (throws).
    QSqlQuery ExecStatement(const QString& sql, const QVariantList& values = {});

    TQemField* makeField(int index, const QString& name, TFieldType type, int size);

private:
    friend class TQemField;
    const QVariant& currentValue(int index) const;
    QVariant oldValue(int index) const;
    void setFieldValue(int index, const QVariant& value);
    void requireBrowse(const char* operation) const;
    void finishPost();
    void fetchRows(int upToVisible) const;
    void fetchBlock() const;
    void buildFieldsFromQuery(QSqlQuery& query, std::vector<std::unique_ptr<TQemField>>& previous,
                              QHash<QString, int>& previousIndex);
    void applyFilter();
    bool rowPasses(int storage) const;
    int visibleCount() const;
    int storageOf(int visible) const;
    void setState(TDataSetState state);
    void onMasterScrolled();
    QString keyCondition(const QStringList& keys, QVariantList& values, const Row& row) const;
    QStringList detectKeyFields() const;
    void loadTableMetadata();
    void bindParameters(QSqlQuery& query) const;
    void clearResult();
    void removeCurrentRow();

    QPointer<TQemConnection> connection_;
    QString commandText_;
    TQemParams params_;
    TDataSetState state_ = dsInactive;
    std::vector<std::unique_ptr<TQemField>> fields_;
    mutable QList<Row> rows_;
    mutable std::unique_ptr<QSqlQuery> liveQuery_;
    mutable QList<int> view_;    // storage indexes of the visible rows while filtered
    int cursor_ = -1;            // visible index of the current row; == count at Eof
    bool bof_ = true;
    bool eof_ = true;
    Row buffer_;
    QList<bool> assigned_;
    int insertAt_ = -1;          // visible index where an inserted row goes
    bool postByFallback_ = false;
    TDataSetState savedPostState_ = dsBrowse;
    QStringList keyFields_;
    QString updateTable_;
    QString filterText_;
    bool filtered_ = false;
    std::unique_ptr<FilterExpression> filter_;
    QPointer<TQemDataSource> masterSource_;
    QMetaObject::Connection masterLink_;
    QMetaObject::Connection masterOpenLink_;
    QString masterFields_;
    bool fetchOnDemand_ = false;
    int disableCount_ = 0;
    bool applyingMaster_ = false;
    QList<int> convertColumns_;  // columns whose driver values are converted to the field type
    QHash<QString, int> nameIndex_;  // lower-case field name -> index
    QString metaTable_;           // table whose key and auto-increment columns were read
    QStringList metaPrimary_;
    QStringList metaAutoInc_;
    int generation_ = 0;  // counts result reads; a delete hook that re-read keeps its rows
};
