#include "dataaccess/tqemtable.h"

#include "dataaccess/qemlayerstate.h"
#include "dataaccess/sqlerrorlog.h"
#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemquery.h"

#include <QHash>
#include <QRegularExpression>
#include <QThread>

#include <utility>

namespace {

// Metadata of every base table once per connection session (the Qt connection name changes on
// every connect, so a reconnect reads the definitions again).
QHash<QString, TableMetadata>& metadataCache()
{
    static QHash<QString, TableMetadata> cache;
    return cache;
}

QString cacheKey(const TQemConnection* conn, const QString& base)
{
    return (conn ? conn->QtConnectionName() : QString()) + QLatin1Char('|') + base.toLower();
}

// Restores a value when the scope ends (SQL_WHERE for one call, the re-entry flag, ...).
template <typename T>
class Restore {
public:
    Restore(T& ref, T value) : ref_(ref), old_(std::exchange(ref, std::move(value))) {}
    ~Restore() { ref_ = std::move(old_); }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;
private:
    T& ref_;
    T old_;
};

// After-scroll events off and controls disabled for the scope.
class QuietScope {
public:
    explicit QuietScope(TQemDataSet& ds) : ds_(ds), old_(ds.SuppressAfterScroll)
    {
        ds_.SuppressAfterScroll = true;
        ds_.DisableControls();
    }
    ~QuietScope()
    {
        ds_.SuppressAfterScroll = old_;
        ds_.EnableControls();
    }
    QuietScope(const QuietScope&) = delete;
    QuietScope& operator=(const QuietScope&) = delete;
private:
    TQemDataSet& ds_;
    bool old_;
};

qint64 tickCount()
{
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.elapsed();
}

}  // namespace

TQemTable::TQemTable(QObject* owner) : TQemDataSet(owner) {}

TQemTable::~TQemTable()
{
    try {
        if (Active())
            TQemDataSet::Close();
    } catch (...) {
    }
}

QString TQemTable::RowLockedMessage(const QString& table)
{
    return QStringLiteral("Der Datensatz in %1 wird gerade von einem anderen Benutzer bearbeitet und konnte nicht "
                          "gespeichert werden. Bitte später erneut versuchen.")
        .arg(table);
}

void TQemTable::SetTableName(const QString& name)
{
    tableName_ = name;
}

TableSql TQemTable::Sql()
{
    TableSql sql;
    sql.serverType = SERVER_TYPE;
    sql.convertDateLiterals = QemState::ConvertDateLiterals;
    sql.tableName = tableName_;
    sql.sqlSelect = SQL_SELECT;
    sql.sqlSelectTabName = SQL_SELECT_TABNAME;
    sql.sqlWhere = SQL_WHERE;
    sql.sqlWhereLogig = SQL_WHERE_LOGIG;
    sql.sqlOrder = SQL_ORDER;
    sql.sqlArtIn = SQL_ARTIN;
    sql.sqlFulltext = SQL_FULLTEXT;
    sql.noMandant = NoMandant;
    sql.firstColumn = firstColumnName();
    const int type = SERVER_TYPE;
    sql.translate = [type](const QString& text) { return TQemQuery::TranslateBDEToADO(text, type); };
    sql.columnKind = [this](const QString& name) -> std::optional<TFieldType> {
        if (Active()) {
            if (const TQemField* f = FindField(name))
                return f->DataType() == ftAutoInc || f->IsIntegral() ? ftInteger : f->DataType();
        }
        return meta_.kindOf(name);
    };
    return sql;
}

// ---------------------------------------------------------------------------------------------
// Metadata and index

void TQemTable::refreshDialect()
{
    RefreshServerType();
    if (Connection() && QemState::CurrentServerType == stMsSql && QemState::ConvertDateLiterals < 0)
        Connection()->AskServerLanguage();
}

void TQemTable::dropMetadataIfRenamed()
{
    if (meta_.isLoaded() && meta_.baseName().compare(BaseName(), Qt::CaseInsensitive) != 0) {
        meta_.clear();
        indexCacheValid_ = false;
        keyCacheRequest_.clear();
        keyCachePosition_.clear();
    }
}

void TQemTable::ensureMetadata()
{
    dropMetadataIfRenamed();
    if (meta_.isLoaded() || !Connection() || BaseName().trimmed().isEmpty())
        return;
    RefreshServerType();
    const QString key = cacheKey(Connection(), BaseName());
    auto& cache = metadataCache();
    if (auto it = cache.constFind(key); it != cache.constEnd()) {
        meta_ = *it;
    } else {
        TQemConnection* conn = Connection();
        try {
            // A failure leaves the table without definitions; the open then reports the server's error.
            if (meta_.load(conn->Database(), SERVER_TYPE, BaseName(), [conn](const QString& s) { conn->NoteStatement(s); }))
                cache.insert(key, meta_);
        } catch (...) {
            meta_.clear();
        }
    }
    indexCacheValid_ = false;
    keyCacheRequest_.clear();
    keyCachePosition_.clear();
}

void TQemTable::ReadKeyColumns(const QString& table, QStringList& primary, QStringList& autoInc)
{
    // The definitions read once per table name answer without further statements.
    if (table == BaseName())
        ensureMetadata();
    if (!meta_.isLoaded() || table != BaseName()) {
        TQemDataSet::ReadKeyColumns(table, primary, autoInc);
        return;
    }
    if (const TableIndexInfo* pk = meta_.primaryIndex(); pk && pk->primary)
        primary = pk->fields;
    for (const TableColumnInfo& c : meta_.columns())
        if (c.autoIncrement)
            autoInc << c.name;
}

const QList<TableIndexInfo>& TQemTable::IndexDefs()
{
    ensureMetadata();
    return meta_.indexes();
}

void TQemTable::IndexUpdate()
{
    metadataCache().remove(cacheKey(Connection(), BaseName()));
    meta_.clear();
    ensureMetadata();
}

QString TQemTable::IndexFieldList(bool bracketed)
{
    QString result = IndexFieldNames;
    if (result.isEmpty()) {
        const QString name = indexName_.trimmed().isEmpty() ? QStringLiteral("DEFAULT") : indexName_.trimmed();
        ensureMetadata();
        if (indexCacheValid_ && name == indexCacheRequest_) {
            result = indexCacheAnswer_;
        } else {
            const TableIndexInfo* index = meta_.findIndex(name);
            if (!index && meta_.isLoaded() && name.compare(QLatin1String("DEFAULT"), Qt::CaseInsensitive) != 0)
                throw EQemDatabaseError(QStringLiteral("Index '%1' der Tabelle %2 nicht gefunden").arg(name, BaseName()));
            result = index ? index->fields.join(QLatin1Char(',')) : QString();
            indexCacheRequest_ = name;
            indexCacheAnswer_ = result;
            indexCacheValid_ = true;
        }
    }
    if (result.isEmpty() && Active() && FieldCount() > 0)
        result = Fields(0)->FieldName();
    return bracketed ? TableSql::bracketedFields(result) : TableSql::plainFields(result);
}

QString TQemTable::firstColumnName() const
{
    if (FieldCount() > 0)
        return Fields(0)->FieldName();
    return meta_.columns().isEmpty() ? QString() : meta_.columns().first().name;
}

QString TQemTable::firstColumnText() const
{
    return FieldCount() > 0 ? Fields(0)->AsString() : QString();
}

bool TQemTable::firstIsAutoInc() const
{
    return FirstIsAutoInc || meta_.firstIsAutoIncrement() || (FieldCount() > 0 && Fields(0)->IsAutoIncrement());
}

TQemField* TQemTable::ChangeLogField() const
{
    return Active() ? FindField(QStringLiteral("Qem_CHANGE_LOG")) : nullptr;
}

bool TQemTable::hasMaster() const
{
    return !MasterFields().trimmed().isEmpty() && MasterSource();
}

// ---------------------------------------------------------------------------------------------
// Open, close, re-read

void TQemTable::Open()
{
    const bool noMaster = MasterFields().trimmed().isEmpty() || !MasterSource();
    if (QemOpenByRange && MasterFields().isEmpty() && !MasterSource() && !QemIndexWithoutOpen)
        return;
    Close();
    masterReentry_ = false;
    refreshDialect();
    if (QemOpenByRange && noMaster) {
        ensureMetadata();
        return;
    }
    ensureMetadata();
    if (tableName_.trimmed().isEmpty()) {
        WriteSqlErrorLog(QStringLiteral("Fehler keine Tabellenzuweisung: \n") + Name() + QStringLiteral("  ")
                         + (parent() ? parent()->objectName() : QString()) + QLatin1Char('\n') + tableName_);
    }
    QString master;
    if (hasMaster()) {
        const QString fields = IndexFieldList(false);
        if (IndexFieldNames.isEmpty())
            IndexFieldNames = fields;
        master = MasterFields().trimmed();
    }
    openWithStatement(Sql().openStatement(IndexFieldList(false), master, effectiveLimit()));
    try {
        if (hasMaster() && IsEmpty()) {
            TQemDataSet* m = MasterDataSet();
            if (m && m->Active() && !m->IsEmpty())
                MasterChanged();
        }
    } catch (...) {
    }
}

int TQemTable::effectiveLimit() const
{
    if (maxRecords_ == 0 && Connection() && Connection()->Connected())
        return Connection()->MaxRecords;
    return maxRecords_;
}

void TQemTable::openWithStatement(const QString& statement)
{
    Debug_CommandText = statement;
    SetCommandText(statement);
    // The detail reads its master's current key right away instead of an empty first answer.
    if (hasMaster() && Parameters().Count() == 1) {
        TQemDataSet* m = MasterDataSet();
        const TQemField* f = m && m->Active() ? m->FindField(MasterFields().trimmed()) : nullptr;
        if (f)
            Parameters()[0].SetValue(f->Value());
    }
    TQemDataSet::Open();
    openTime_ = QDateTime::currentDateTimeUtc();
}

void TQemTable::Close()
{
    TQemDataSet::Close();
    keyCacheRequest_.clear();
    keyCachePosition_.clear();
}

void TQemTable::SetActive(bool value)
{
    if (value)
        Open();
    else
        Close();
}

void TQemTable::DoBeforeOpen()
{
    TQemDataSet::DoBeforeOpen();
}

void TQemTable::DoAfterOpen()
{
    if (firstIsAutoInc() && FieldCount() > 0 && !IsEmpty())
        highestKey_ = std::max(highestKey_, Fields(0)->AsInteger());
    TQemDataSet::DoAfterOpen();
}

void TQemTable::CheckFirstFetch(bool flag)
{
    (void)flag;
    if (!paramProblem_)
        return;
    paramProblem_ = false;
    TQemDataSet* m = MasterDataSet();
    if (m && m->Active() && !m->IsEmpty() && IsEmpty())
        MasterChanged();
}

bool TQemTable::RequeryLogged()
{
    const QString statement = CommandText();
    try {
        TQemDataSet::Requery();
        return true;
    } catch (const EQemDatabaseError& first) {
        try {
            // Reopen with the same statement (the open recovery retries "sync" failures).
            TQemDataSet::Close();
            Reattach();
            SetCommandText(statement);
            TQemDataSet::Open();
            openTime_ = QDateTime::currentDateTimeUtc();
        } catch (const EQemDatabaseError& e) {
            logSql(QStringLiteral("Requery Fehler: ") + Name() + QStringLiteral("; ") + e.message());
            logSql(statement);
        }
        (void)first;
        return false;
    }
}

void TQemTable::logSql(const QString& text) const
{
    try {
        WriteSqlErrorLog(text);
    } catch (...) {
    }
}

void TQemTable::Refresh(bool machit, bool posit)
{
    if (!Active())
        return;
    if (!machit && openTime_.isValid() && openTime_.msecsTo(QDateTime::currentDateTimeUtc()) < 990)
        return;
    const QString before = firstColumnText();
    {
        QuietScope quiet(*this);
        const int recNo = RecNo();
        openTime_ = QDateTime::currentDateTimeUtc();
        try {
            RequeryLogged();
            const QString column = firstColumnName();
            const bool found = !before.isEmpty() && Locate(column, before, loCaseInsensitive);
            if (!found && !before.isEmpty() && !CommandText().contains(QLatin1Char(':'))) {
                if (recNo - 1 >= 1)
                    SetRecNo(recNo - 1);
                else
                    First();
                if (posit) {
                    const QString saved = CommandText();
                    const TQemField* f = Fields(0);
                    const QString quote = isQuotedKind(f->DataType()) ? QStringLiteral("'") : QString();
                    SetCommandText(Sql().narrowedToKey(saved, column, quote + before + quote));
                    RequeryLogged();
                    SetCommandText(saved);
                }
            }
        } catch (...) {
            try {
                Last();
            } catch (...) {
            }
        }
    }
    if (Active() && firstColumnText() != before)
        NotifyScrolled();
}

void TQemTable::SetMaxRecords(int value)
{
    maxRecords_ = value;
    if (Active())
        reread(TableSql::topSelect(CommandText(), effectiveLimit(), SERVER_TYPE), true);
}

void TQemTable::SetFilter(const QString& text)
{
    QString t = text;
    t.replace(QRegularExpression(QStringLiteral("FALSCH"), QRegularExpression::CaseInsensitiveOption), QStringLiteral("FALSE"));
    t.replace(QRegularExpression(QStringLiteral("WAHR"), QRegularExpression::CaseInsensitiveOption), QStringLiteral("TRUE"));
    TQemDataSet::SetFilter(t);
}

// ---------------------------------------------------------------------------------------------
// Keys and ranges

void TQemTable::prepareKeyOperation()
{
    if (Active()) {
        if (State() == dsEdit || State() == dsInsert) {
            if (Modified())
                Post();
            else
                Cancel();
        } else if (State() == dsSetKey) {
            Cancel();
        }
    } else {
        refreshDialect();
    }
    ensureMetadata();
}

void TQemTable::reread(const QString& statement, bool reopen)
{
    if (Active() && !reopen) {
        // Open with another statement: re-read in place (same cursor options, no close).
        Debug_CommandText = statement;
        if (CommandText() != statement)
            SetCommandText(statement);
        RequeryLogged();
        openTime_ = QDateTime::currentDateTimeUtc();
        return;
    }
    Close();
    QemOpenByRange = false;
    openWithStatement(statement);
}

void TQemTable::SetRange(const QVariantList& starts, const QVariantList& ends, bool reopen, bool dateFlag)
{
    prepareKeyOperation();
    const QString statement = Sql().rangeStatement(IndexFieldList(false), starts, ends, dateFlag);
    reread(TableSql::topSelect(statement, effectiveLimit(), SERVER_TYPE), reopen);
}

void TQemTable::CancelRange()
{
    if (!Active())
        return;
    QString statement = CommandText();
    if (statement.toLower().contains(QLatin1String("where"))) {
        // Without the restriction the rows keep the order of the current index.
        TableSql sql = Sql();
        statement = TableSql::withoutWhere(statement) + sql.orderClause(IndexFieldList(false));
        if (SERVER_TYPE == stMySql)
            statement = SqlDialect(stMySql).bracketsToNative(statement);
    } else if (maxRecords_ >= 0 && maxRecords_ <= 99) {
        maxRecords_ = 0;
    } else {
        return;
    }
    SetCommandText(TableSql::topSelect(statement, effectiveLimit(), SERVER_TYPE));
    RequeryLogged();
}

void TQemTable::GotoKeyValues(const QVariantList& values, int attempt, bool nearest)
{
    prepareKeyOperation();
    const QString statement =
        TableSql::topSelect(Sql().keyStatement(IndexFieldList(false), values, nearest), effectiveLimit(), SERVER_TYPE);
    try {
        reread(statement, false);
    } catch (const EQemDatabaseError& e) {
        if (attempt < 19) {
            QThread::msleep(100);
            GotoKeyValues(values, attempt + 1, nearest);
            return;
        }
        throw EQemDatabaseError(BaseName() + QLatin1Char('\n') + statement + QLatin1Char('\n') + e.message());
    }
}

QString TQemTable::keyFieldsForSearch()
{
    QString list = IndexFieldList(false);
    if (Active() && firstIsAutoInc() && FieldCount() > 0 && !IsEmpty() && Fields(0)->AsInteger() < 1)
        list.clear();
    return list;
}

bool TQemTable::FindKey(const QVariantList& values)
{
    return findKey(values, false);
}

bool TQemTable::findKey(const QVariantList& values, bool noRange)
{
    bool found = false;
    QString request;
    if (Active()) {
        ensureMetadata();
        const QString list = keyFieldsForSearch();
        if (!list.isEmpty()) {
            QStringList texts;
            for (int i = 0; i < values.size(); ++i)
                texts << TableSql::valueText(values.at(i));
            request = list + QLatin1Char('|') + texts.join(QLatin1Char(';'));
            if (request == keyCacheRequest_ && !noRange)
                found = firstColumnText() == keyCachePosition_;
            keyCacheRequest_ = request;
            if (!found)
                found = locateKey(TableSql::splitFields(list).mid(0, values.size()), values);
        }
    }
    if (!found && !noRange) {
        SetRange(values, values);
        if (IsEmpty() && !SQL_WHERE.trimmed().isEmpty()) {
            Restore<QString> without(SQL_WHERE, QString());
            SetRange(values, values);
        }
        if (RecordCount() >= 2)
            findKey(values, true);
        found = !Eof();
        if (request.isEmpty()) {
            QStringList texts;
            for (const QVariant& v : values)
                texts << TableSql::valueText(v);
            request = IndexFieldList(false) + QLatin1Char('|') + texts.join(QLatin1Char(';'));
        }
    }
    if (found) {
        keyCacheRequest_ = request;
        try {
            keyCachePosition_ = firstColumnText();
        } catch (...) {
            keyCachePosition_ = QStringLiteral("äöüß");
        }
    } else {
        keyCacheRequest_.clear();
        keyCachePosition_.clear();
    }
    return found;
}

bool TQemTable::locateKey(const QStringList& fields, const QVariantList& values)
{
    if (fields.isEmpty() || IsEmpty())
        return false;
    if (fields.size() > 1)
        return Locate(fields.join(QLatin1Char(';')), values.mid(0, fields.size()), loCaseInsensitive);
    const QString key = TableSql::valueText(values.value(0)).toLower();
    if (key.isEmpty())
        return false;
    const TQemField* f = FindField(fields.first());
    if (!f)
        return false;
    auto current = [&] { return TableSql::valueText(f->Value()).toLower() == key; };
    if (current())
        return true;
    return RecordCount() >= 2 && Locate(fields.first(), values.value(0), loCaseInsensitive) && current();
}

void TQemTable::SetKey()
{
    if (!Active()) {
        // Key entry on a table under range opening: the fields come from a read of no rows.
        prepareKeyOperation();
        reread(TableSql::topSelect(selectNone(), 0, SERVER_TYPE), true);
    }
    TQemDataSet::SetKey();
}

QString TQemTable::selectNone()
{
    return Sql().selectStart() + QStringLiteral(" WHERE 1=0");
}

QVariantList TQemTable::keyEntryValues()
{
    const Row buffer = BufferValues();
    QStringList fields = TableSql::splitFields(IndexFieldList(false));
    if (fields.isEmpty() && FieldCount() > 0)
        fields << Fields(0)->FieldName();
    QVariantList values;
    for (const QString& f : fields.mid(0, 10)) {
        const int i = FieldIndex(f);
        values << (i >= 0 && i < buffer.size() ? buffer.at(i) : QVariant(QString()));
    }
    // Trailing fields the caller left empty take no part in the search.
    while (!values.isEmpty() && (values.last().isNull() || TableSql::valueText(values.last()).isEmpty()))
        values.removeLast();
    return values;
}

bool TQemTable::GotoKey()
{
    const QVariantList values = keyEntryValues();
    Cancel();
    GotoKeyValues(values);
    return !Eof();
}

void TQemTable::GotoNearest()
{
    const QVariantList values = keyEntryValues();
    Cancel();
    GotoKeyValues(values, 0, true);
}

void TQemTable::GotoCurrent(TQemDataSet& other)
{
    indexName_.clear();
    if (other.Active() && other.FieldCount() > 0)
        FindKey({other.Fields(0)->AsString()});
}

void TQemTable::MasterChanged()
{
    if (!Active() || masterReentry_)
        return;
    Restore<bool> reentry(masterReentry_, true);
    try {
        TQemDataSet* master = MasterDataSet();
        if (!Parameters().IsEmpty()) {
            if (master && master->Active() && MasterFields().isEmpty() && CommandText().contains(QLatin1Char(':'))) {
                Parameters().Clear();
            } else {
                if (Parameters().Count() != 1 || !master || !master->Active() || master->State() == dsSetKey)
                    return;
                const TQemField* mf = master->FindField(MasterFields().trimmed());
                if (!mf)
                    return;
                TQemParam& p = Parameters()[0];
                if (!p.IsNull() && TableSql::valueText(p.Value) == mf->AsString() && !IsEmpty())
                    return;
                p.SetValue(mf->IsIntegral() ? QVariant(mf->AsLargeInt()) : QVariant(mf->AsString()));
                RequeryLogged();
                return;
            }
        }
        // Key mode: the first key field follows the master's field.
        const QStringList keys = TableSql::splitFields(IndexFieldList(false));
        const TQemField* own = keys.isEmpty() ? nullptr : FindField(keys.first());
        const QString keyText = own ? own->AsString() : QString();
        if (MasterFields().isEmpty() && CommandText().contains(QLatin1Char(':'))) {
            const QString after = CommandText().mid(CommandText().indexOf(QLatin1Char(':')) + 1, 50);
            SetMasterFields(after.section(QLatin1Char(' '), 0, 0));
        }
        const TQemField* mf = master && master->Active() ? master->FindField(MasterFields().trimmed()) : nullptr;
        if (mf && (mf->AsString() != keyText || IsEmpty()))
            GotoKeyValues({mf->Value()});
    } catch (...) {
        // A detail that cannot follow keeps its rows; the next change tries again.
    }
}

QString TQemTable::KeyValueToText(const QVariantList& values, int index, bool nullFlag, bool dateFlag)
{
    return Sql().keyValueToText(values, index, nullFlag, dateFlag);
}

QString TQemTable::fbegrenz(const QString& column, const QString& valueText)
{
    ensureMetadata();
    return Sql().fbegrenz(column, valueText);
}

QString TQemTable::FieldToSqlLiteral(TQemField* field, int dialect) const
{
    if (!field)
        return QStringLiteral("NULL");
    return TableSql::fieldToSqlLiteral(field->DataType(), field->Value(), dialect < 0 ? QemState::CurrentServerType : dialect,
                                       QemState::ConvertDateLiterals);
}

// ---------------------------------------------------------------------------------------------
// Posting

QList<PostColumn> TQemTable::postColumns(bool fromMetadata) const
{
    QList<PostColumn> columns;
    if (fromMetadata && meta_.isLoaded()) {
        for (const TableColumnInfo& c : meta_.columns()) {
            if (const TQemField* f = FindField(c.name))
                columns.append(PostColumn{c.name, f->DataType(), f->OldValue(), f->Value()});
        }
        return columns;
    }
    for (int i = 0; i < FieldCount(); ++i) {
        const TQemField* f = Fields(i);
        columns.append(PostColumn{f->FieldName(), f->DataType(), f->OldValue(), f->Value()});
    }
    return columns;
}

void TQemTable::DoBeforePost()
{
    TQemDataSet::DoBeforePost();
    if (ConversionMode)
        return;
    insertToken_.clear();
    if (firstIsAutoInc() && FieldCount() > 0 && !Fields(0)->IsNull())
        highestKey_ = std::max(highestKey_, Fields(0)->AsInteger());
    savedState_ = State();
    postErrorFlag_ = false;
    if (SERVER_TYPE == stMySql && State() == dsInsert) {
        try {
            if (TQemField* dummy = FindField(QStringLiteral("Qem_dummy"))) {
                static int sequence = 0;
                // The tick count alone repeats within a millisecond; the sequence keeps tokens apart.
                const QString token = QString::number(QemState::CurrentUserID) + QLatin1Char('_')
                    + QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")) + QLatin1Char('_')
                    + QString::number(tickCount()) + QLatin1Char('.') + QString::number(++sequence);
                dummy->SetAsString(token);
                insertToken_ = token;
            }
        } catch (...) {
            insertToken_.clear();
        }
    }
    applyChangeLog();
}

void TQemTable::applyChangeLog()
{
    if (NoQem_CHANGE_LOG)
        return;
    TQemField* log = FindField(QStringLiteral("Qem_CHANGE_LOG"));
    if (!log)
        return;
    try {
        const QDateTime now = QDateTime::currentDateTime();
        const QString station = changelog::stationText(QemState::LogStation, QemState::LogStationSuffix);
        const QString created = changelog::creationEntry(now, QemState::LogUser, station);
        if (State() == dsInsert) {
            log->SetAsString(created);
            return;
        }
        const QString old = log->AsString();
        if (old == created && !ALLQem_CHANGE_LOG)
            return;
        const QString changes = changelog::collectChanges(postColumns(false));
        if (!changes.isEmpty())
            log->SetAsString(changelog::appendChange(old, changes, now, QemState::LogUser, station));
    } catch (...) {
    }
}

bool TQemTable::isLockError(const QString& message)
{
    return message.contains(QLatin1String("Lock wait timeout"), Qt::CaseInsensitive)
        || message.contains(QLatin1String("Deadlock found"), Qt::CaseInsensitive)
        || message.contains(QLatin1String("database is locked"), Qt::CaseInsensitive)
        || message.contains(QLatin1String("anderen Benutzer bearbeitet"));
}

void TQemTable::setLockWait()
{
    TQemConnection* conn = Connection();
    const int seconds = std::max(1, LockWaitSeconds);
    const QString session = conn ? conn->QtConnectionName() + QLatin1Char('|') + QString::number(seconds) : QString();
    if (!conn || (SERVER_TYPE != stMySql && SERVER_TYPE != stSQLite) || session == lockWaitFor_)
        return;
    try {
        // SQLite waits for a writing session as long as its busy time-out, MariaDB for a row lock.
        conn->ExecSQL(SERVER_TYPE == stMySql ? QStringLiteral("SET SESSION innodb_lock_wait_timeout=%1").arg(seconds)
                                             : QStringLiteral("PRAGMA busy_timeout=%1").arg(seconds * 1000));
        lockWaitFor_ = session;
    } catch (const EQemDatabaseError& e) {
        logSql(QStringLiteral("SQLFehler: ") + e.message());
    }
}

void TQemTable::InternalPost()
{
    if (selfPost_) {
        runFallback(State() == dsInsert);
        return;
    }
    setLockWait();
    for (int attempt = 0;; ++attempt) {
        try {
            TQemDataSet::InternalPost();
            return;
        } catch (const EQemDatabaseError& e) {
            if (!isLockError(e.message()))
                throw;
            if (attempt >= LockRetries) {
                logSql(QStringLiteral("SQLFehler: ") + e.message());
                throw EQemDatabaseError(RowLockedMessage(BaseName()));
            }
            QThread::msleep(500);
        }
    }
}

TDataAction TQemTable::PostError(const EQemDatabaseError& error)
{
    // A row held by another user is not written by a second statement that would wait again.
    if (isLockError(error.message()) || BaseName().trimmed().isEmpty())
        return TQemDataSet::PostError(error);
    runFallback(State() == dsInsert);
    return daHandled;
}

void TQemTable::Post_self()
{
    Restore<bool> self(selfPost_, true);
    Post();
}

void TQemTable::runFallback(bool insert)
{
    postErrorFlag_ = true;
    ensureMetadata();
    const TableSql sql = Sql();
    const QList<PostColumn> columns = postColumns(true);
    const QString statement = insert ? sql.fallbackInsert(columns, firstIsAutoInc() && !ConversionMode)
                                     : sql.fallbackUpdate(columns);
    if (statement.isEmpty()) {
        postErrorFlag_ = false;
        return;
    }
    try {
        Connection()->ExecSQL(statement);
    } catch (const EQemDatabaseError& e) {
        if (isLockError(e.message()))
            throw EQemDatabaseError(RowLockedMessage(BaseName()));
        logSql(QStringLiteral("SQLFehler: ") + e.message());
        logSql(statement);
    }
}

void TQemTable::DoAfterPost()
{
    const bool insert = savedState_ == dsInsert;
    try {
        if (!ConversionMode && firstIsAutoInc() && FieldCount() > 0) {
            const qint64 key = Fields(0)->IsNull() ? 0 : Fields(0)->AsLargeInt();
            if (key != 0 && !(insert && postErrorFlag_)) {
                highestKey_ = std::max<qint64>(highestKey_, key);
                if (postErrorFlag_)
                    Refresh(true, true);
            } else {
                retrieveNewKey();
            }
        } else if (!ConversionMode && postErrorFlag_) {
            Refresh(true, false);
            if (insert)
                Last();
        }
    } catch (const EQemDatabaseError& e) {
        logSql(QStringLiteral("SQLFehler: ") + e.message());
    }
    insertToken_.clear();
    TQemDataSet::DoAfterPost();
}

void TQemTable::retrieveNewKey()
{
    QuietScope quiet(*this);
    TQemConnection* conn = Connection();
    const TableSql sql = Sql();
    const QString first = firstColumnName();
    QString answer;
    if (SERVER_TYPE == stMySql && !insertToken_.isEmpty()) {
        try {
            answer = conn->QueryValue(sql.insertTokenQuery(insertToken_)).toString();
        } catch (const EQemDatabaseError&) {
            answer = conn->QueryValue(sql.lastInsertIdQuery()).toString();
        }
    } else {
        answer = conn->QueryValue(sql.lastInsertIdQuery()).toString();
    }
    if (answer.isEmpty() || answer == QLatin1String("0"))
        answer = conn->QueryValue(sql.highestKeyQuery(first)).toString();
    if (answer.isEmpty()) {
        SetCommandText(TableSql::withoutWhere(CommandText()) + QStringLiteral(" order by ") + first + QStringLiteral(" Desc"));
        RequeryLogged();
        return;
    }
    if (firstColumnText() == answer && Fields(0)->AsLargeInt() > 0) {
        highestKey_ = std::max(highestKey_, Fields(0)->AsInteger());
        return;
    }
    const QString saved = CommandText();
    RequeryLogged();
    if (Filtered() && IsEmpty())
        SetFiltered(false);
    if (!Locate(first, answer)) {
        SetCommandText(sql.narrowedToKey(saved, first, answer));
        RequeryLogged();
        SetCommandText(saved);
    }
    if (FieldCount() > 0)
        highestKey_ = std::max(highestKey_, Fields(0)->AsInteger());
}

void TQemTable::InternalDelete()
{
    if (!CommandText().toLower().contains(QLatin1String(" join "))) {
        TQemDataSet::InternalDelete();
        return;
    }
    const QString first = firstColumnName();
    QString key = firstColumnText();
    QString where = first + QLatin1Char('=') + key;
    if (SERVER_TYPE == stMySql && (key.isEmpty() || key == QLatin1String("0"))) {
        const TQemField* dummy = FindField(QStringLiteral("Qem_dummy"));
        if (dummy && dummy->AsString().size() >= 9)
            where = QStringLiteral("Qem_dummy='") + SqlDialect(stMySql).escapeString(dummy->AsString()) + QLatin1Char('\'');
    }
    QString statement = QStringLiteral("DELETE FROM ") + BaseName() + QStringLiteral(" WHERE ") + where;
    if (SERVER_TYPE == stMySql)
        statement = SqlDialect(stMySql).bracketsToNative(statement);
    Next();
    if (Eof())
        Prior();
    const QString next = firstColumnText();
    Connection()->ExecSQL(statement);
    RequeryLogged();
    if (!next.isEmpty())
        Locate(first, next);
}

// ---------------------------------------------------------------------------------------------
// Table statements

void TQemTable::AddIndex(const QString& name, const QString& fields, int options, const QString& descFields)
{
    (void)options;
    (void)descFields;
    refreshDialect();
    const bool sqlServer = Connection() && Connection()->ConnectionString().contains(QLatin1String("SQLOLEDB"));
    Connection()->ExecSQL(Sql().addIndexStatement(name, fields, sqlServer));
    IndexUpdate();
}

void TQemTable::DeleteIndex(const QString& name)
{
    Close();
    refreshDialect();
    ensureMetadata();
    const TableIndexInfo* index = meta_.findIndex(name);
    const QString stored = index && !index->primary ? index->name : Sql().storedIndexName(name);
    Connection()->ExecSQL(Sql().deleteIndexStatement(stored));
    IndexUpdate();
}

void TQemTable::DeleteTable()
{
    Close();
    refreshDialect();
    try {
        Connection()->ExecSQL(Sql().deleteTableStatement());
    } catch (const EQemDatabaseError&) {
        const QString owner = SERVER_TYPE == stMsSql ? GetOwner(BaseName()) : QString();
        Connection()->ExecSQL(Sql().deleteTableStatement(owner));
    }
    metadataCache().remove(cacheKey(Connection(), BaseName()));
    meta_.clear();
}

void TQemTable::EmptyTable()
{
    refreshDialect();
    Connection()->ExecSQL(Sql().emptyTableStatement());
    if (Active())
        RequeryLogged();
}

bool TQemTable::Exists()
{
    refreshDialect();
    const QVariant answer = Connection()->QueryValue(Sql().existsStatement());
    if (SERVER_TYPE == stMySql)
        return answer.isValid() && !answer.isNull();
    return answer.toString() == QLatin1String("1");
}

void TQemTable::RenameTable(const QString& newName)
{
    Close();
    refreshDialect();
    Connection()->ExecSQL(Sql().renameTableStatement(TableSql::baseName(newName)));
    metadataCache().remove(cacheKey(Connection(), BaseName()));
    meta_.clear();
}

QString TQemTable::GetOwner(const QString& name)
{
    refreshDialect();
    if (SERVER_TYPE != stMsSql || !Connection())
        return name;
    QString plain = name;
    if (plain.startsWith(QLatin1Char('[')) && plain.endsWith(QLatin1Char(']')))
        plain = plain.mid(1, plain.size() - 2);
    const QString owner = Connection()->QueryValue(TableSql::ownerQuery(plain)).toString().trimmed();
    return owner.isEmpty() ? name : QLatin1Char('[') + owner + QStringLiteral("].[") + plain + QLatin1Char(']');
}

void TQemTable::CreateTable()
{
    refreshDialect();
    const QString statement = Sql().createTableStatement(FieldDefs, !IndexDefsToCreate.isEmpty(), FBDEConvert);
    try {
        Connection()->ExecSQL(statement);
    } catch (const EQemDatabaseError& e) {
        logSql(statement);
        logSql(e.message());
        if (SERVER_TYPE == stMySql)
            throw;
        QString retry = statement;
        retry.replace(QStringLiteral("CREATE TABLE [dbo].["), QStringLiteral("CREATE TABLE ["));
        Connection()->ExecSQL(retry);
    }
    metadataCache().remove(cacheKey(Connection(), BaseName()));
    if (IndexDefsToCreate.isEmpty() && !FieldDefs.isEmpty())
        AddIndex(QStringLiteral("DEFAULT"), FieldDefs.first().name);
    for (const SqlIndexDef& index : std::as_const(IndexDefsToCreate))
        AddIndex(index.name, index.fields);
    Close();
    FieldDefs.clear();
    IndexDefsToCreate.clear();
    IndexUpdate();
}
