#include "dataaccess/tqemdataset.h"

#include "dataaccess/filterexpression.h"
#include "dataaccess/sqldialect.h"
#include "dataaccess/sqlerrorlog.h"
#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemdatasource.h"

#include <QElapsedTimer>
#include <QSqlDriver>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlRecord>
#include <QSqlResult>
#include <QThread>

#include <sqlite3.h>

namespace {

const QVariant nullValue;

QStringList sqliteDeclaredTypes(const QSqlQuery& query, int count)
{
    QStringList types;
    const QVariant handle = query.result() ? query.result()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0)
        return types;
    sqlite3_stmt* stmt = *static_cast<sqlite3_stmt* const*>(handle.constData());
    if (!stmt)
        return types;
    for (int i = 0; i < count; ++i) {
        const char* declared = sqlite3_column_decltype(stmt, i);
        types << (declared ? QString::fromUtf8(declared) : QString());
    }
    return types;
}

QStringList splitFieldList(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char(','), QLatin1Char(';'));
    QStringList names;
    for (const QString& part : t.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        QString n = part.trimmed();
        n.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
        if (!n.isEmpty())
            names << n;
    }
    return names;
}

QString notFoundMessage()
{
    return QStringLiteral("Der Datensatz wurde nicht gefunden; er wurde inzwischen geändert oder gelöscht.");
}

}  // namespace

TQemDataSet::TQemDataSet(QObject* owner) : QObject(owner) {}

TQemDataSet::~TQemDataSet()
{
    clearResult();
    if (connection_)
        connection_->unregisterDataSet(this);
}

// --- connection and dialect

void TQemDataSet::SetConnection(TQemConnection* connection)
{
    if (connection_.data() == connection)
        return;
    if (Active())
        Close();
    if (connection_)
        connection_->unregisterDataSet(this);
    connection_ = connection;
    metaTable_.clear();
    if (connection) {
        connection->registerDataSet(this);
        const int type = connection->GetServer_Type();
        if (type >= 0)
            SERVER_TYPE = type;
        QemState::CurrentServerType = SERVER_TYPE;
    }
}

TQemConnection* TQemDataSet::Connection() const
{
    return connection_.data();
}

int TQemDataSet::RefreshServerType()
{
    if ((SERVER_TYPE < 0 || SERVER_TYPE != QemState::CurrentServerType) && connection_) {
        const int type = connection_->GetServer_Type();
        if (type >= 0)
            SERVER_TYPE = type;
    }
    QemState::CurrentServerType = SERVER_TYPE;
    return SERVER_TYPE;
}

// --- statement

void TQemDataSet::SetCommandText(const QString& sql)
{
    commandText_ = sql;
    params_.ParseSql(sql);
}

// --- open and close

void TQemDataSet::Open()
{
    if (Active())
        return;
    DoBeforeOpen();
    InternalOpen();
    DoAfterOpen();
    emit opened();
    emit rowsReset();
    NotifyScrolled();
}

void TQemDataSet::InternalOpen()
{
    OpenWithRecovery();
}

void TQemDataSet::SetActive(bool value)
{
    if (value)
        Open();
    else
        Close();
}

void TQemDataSet::Close()
{
    if (!Active())
        return;
    if (state_ == dsEdit || state_ == dsInsert || state_ == dsSetKey)
        Cancel();
    DoBeforeClose();
    clearResult();
    setState(dsInactive);
    DoAfterClose();
    emit closed();
    emit rowsReset();
}

void TQemDataSet::clearResult()
{
    liveQuery_.reset();
    rows_.clear();
    view_.clear();
    fields_.clear();
    nameIndex_.clear();
    convertColumns_.clear();
    buffer_.clear();
    assigned_.clear();
    cursor_ = -1;
    bof_ = eof_ = true;
    if (state_ != dsInactive)
        state_ = dsInactive;
}

void TQemDataSet::Reattach()
{
    liveQuery_.reset();
}

void TQemDataSet::Requery()
{
    if (!Active()) {
        Open();
        return;
    }
    if (state_ == dsEdit || state_ == dsInsert || state_ == dsSetKey)
        Cancel();
    try {
        OpenCursor();
    } catch (...) {
        clearResult();
        emit closed();
        emit rowsReset();
        throw;
    }
    CheckFirstFetch(false);
    emit rowsReset();
    NotifyScrolled();
}

void TQemDataSet::OpenWithRecovery()
{
    QString message;
    try {
        OpenCursor();
        CheckFirstFetch(false);
        return;
    } catch (const EQemDatabaseError& e) {
        message = e.message();
    }
    try {
        if ((message.contains(QLatin1String("Verbinden")) || message.contains(QLatin1String("gone away"))
             || message.toLower().contains(QLatin1String("lost connection")))
            && connection_)
            connection_->Reconnect();
        clearResult();
        Reattach();
        if (message.contains(QLatin1String("sync"))) {
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < RecoveryTimeoutMs && !Active()) {
                try {
                    OpenCursor();
                } catch (const EQemDatabaseError& e) {
                    message = e.message();
                    QThread::msleep(RecoveryPauseMs);
                }
            }
        }
        if (!Active())
            OpenCursor();
        CheckFirstFetch(false);
    } catch (const EQemDatabaseError& e) {
        const QString text = QStringLiteral("Open Fehler: ") + Name() + QStringLiteral("; ") + e.message();
        WriteSqlErrorLog(text);
        WriteSqlErrorLog(commandText_);
        throw EQemDatabaseError(text);
    }
}

void TQemDataSet::bindParameters(QSqlQuery& query) const
{
    for (int i = 0; i < params_.Count(); ++i) {
        QVariant v = params_[i].Value;
        if (v.typeId() == QMetaType::Bool)
            v = QVariant(v.toBool() ? 1 : 0);
        query.bindValue(QLatin1Char(':') + params_[i].Name, v);
    }
}

void TQemDataSet::OpenCursor()
{
    // A re-read with the same columns keeps its field objects (callers hold them over a requery).
    std::vector<std::unique_ptr<TQemField>> previous;
    previous.swap(fields_);
    QHash<QString, int> previousIndex;
    previousIndex.swap(nameIndex_);
    clearResult();
    if (!connection_)
        throw EQemDatabaseError(QStringLiteral("Der Datenmenge %1 ist keine Verbindung zugewiesen.").arg(Name()));
    QSqlDatabase db = connection_->Database();
    if (!db.isOpen())
        throw EQemDatabaseError(QStringLiteral("Verbinden zur Datenbank nicht möglich: die Verbindung ist geschlossen."));
    RefreshServerType();
    connection_->NoteStatement(commandText_);

    // Parameters taken from the master's current row (detail datasets).
    if (TQemDataSet* master = MasterDataSet(); master && master->Active()) {
        for (int i = 0; i < params_.Count(); ++i)
            if (TQemField* f = master->FindField(params_[i].Name))
                params_[i].Value = f->Value();
    }

    auto query = std::make_unique<QSqlQuery>(db);
    query->setForwardOnly(true);
    bool ok;
    if (params_.IsEmpty()) {
        ok = query->exec(commandText_);
    } else {
        ok = query->prepare(commandText_);
        if (ok) {
            bindParameters(*query);
            ok = query->exec();
        }
    }
    if (!ok)
        throw EQemDatabaseError(TQemConnection::ErrorText(query->lastError()));
    if (!query->isSelect())
        throw EQemDatabaseError(QStringLiteral("Die Anweisung liefert keine Datenmenge: ") + commandText_);
    buildFieldsFromQuery(*query, previous, previousIndex);
    ++generation_;
    liveQuery_ = std::move(query);
    state_ = dsBrowse;
    if (fetchOnDemand_)
        fetchBlock();
    else
        fetchRows(-1);
    if (filtered_)
        applyFilter();
    cursor_ = visibleCount() > 0 ? 0 : -1;
    bof_ = true;
    eof_ = visibleCount() == 0;
    emit stateChanged(state_);
}

void TQemDataSet::buildFieldsFromQuery(QSqlQuery& query, std::vector<std::unique_ptr<TQemField>>& previous,
                                       QHash<QString, int>& previousIndex)
{
    const QSqlRecord record = query.record();
    const int n = record.count();
    const QStringList declared = sqliteDeclaredTypes(query, n);
    const bool sqlite = !declared.isEmpty();
    struct Column {
        QString name;
        TFieldType type;
        int size;
        bool autoValue;
        bool convert;
    };
    QList<Column> columns;
    columns.reserve(n);
    bool same = int(previous.size()) == n;
    for (int i = 0; i < n; ++i) {
        const QSqlField f = record.field(i);
        TFieldType type = sqlite ? TQemField::TypeFromDeclared(declared.at(i)) : ftUnknown;
        if (type == ftUnknown)
            type = TQemField::TypeFromMeta(f.metaType().id(), f.length());
        const int id = f.metaType().id();
        const bool charType = id == QMetaType::Char || id == QMetaType::SChar || id == QMetaType::UChar;
        const bool dateOrTime = type == ftDate || type == ftTime || type == ftDateTime;
        columns.append(Column{f.name(), type, f.length() > 0 ? f.length() : 0, f.isAutoValue(),
                              (sqlite && (dateOrTime || type == ftBoolean)) || charType});
        const Column& c = columns.last();
        same = same && previous[size_t(i)]->FieldName() == c.name && previous[size_t(i)]->DataType() == c.type
            && previous[size_t(i)]->Size() == c.size;
    }
    fields_.clear();
    nameIndex_.clear();
    convertColumns_.clear();
    if (same) {
        fields_.swap(previous);
        nameIndex_.swap(previousIndex);
    } else {
        fields_.reserve(size_t(n));
    }
    for (int i = 0; i < n; ++i) {
        const Column& c = columns.at(i);
        TQemField* field = same ? fields_[size_t(i)].get() : makeField(i, c.name, c.type, c.size);
        field->SetAutoIncrement(c.autoValue);
        if (c.convert)
            convertColumns_ << i;
    }
    // Key and auto-increment columns of the table being updated (once per table name).
    const QString table = UpdateTableName();
    if (!table.isEmpty() && table != metaTable_)
        loadTableMetadata();
    if (!table.isEmpty())
        for (const QString& name : std::as_const(metaAutoInc_))
            if (TQemField* f = FindField(name))
                f->SetAutoIncrement(true);
}

void TQemDataSet::loadTableMetadata()
{
    metaTable_ = UpdateTableName();
    metaPrimary_.clear();
    metaAutoInc_.clear();
    if (!connection_ || metaTable_.isEmpty())
        return;
    ReadKeyColumns(metaTable_, metaPrimary_, metaAutoInc_);
}

void TQemDataSet::ReadKeyColumns(const QString& table, QStringList& primary, QStringList& autoInc)
{
    const QSqlDatabase db = connection_->Database();
    const QSqlIndex index = db.primaryIndex(table);
    for (int i = 0; i < index.count(); ++i)
        primary << index.fieldName(i);
    const QSqlRecord record = db.record(table);
    for (int i = 0; i < record.count(); ++i)
        if (record.field(i).isAutoValue())
            autoInc << record.fieldName(i);
}

TQemField* TQemDataSet::makeField(int index, const QString& name, TFieldType type, int size)
{
    fields_.push_back(std::make_unique<TQemField>(this, index, name, type, size));
    nameIndex_.insert(name.toLower(), index);
    nameIndex_.insert(name, index);
    return fields_.back().get();
}

void TQemDataSet::fetchBlock() const
{
    if (!liveQuery_)
        return;
    const int n = int(fields_.size());
    QSqlQuery& q = *liveQuery_;
    int left = FetchBlockSize > 0 ? FetchBlockSize : 2000;
    while (left-- > 0) {
        if ((FetchLimit > 0 && rows_.size() >= FetchLimit) || !q.next()) {
            liveQuery_.reset();
            return;
        }
        Row row;
        row.reserve(n);
        for (int i = 0; i < n; ++i)
            row.append(q.value(i));
        for (int c : convertColumns_) {
            try {
                row[c] = fields_[c]->ConvertForType(row.at(c));
            } catch (const EQemDatabaseError&) {
                // A stored text that is no valid date stays as it is.
            }
        }
        rows_.append(std::move(row));
    }
}

void TQemDataSet::fetchRows(int upToVisible) const
{
    // upToVisible < 0: everything.
    while (liveQuery_ && (upToVisible < 0 || rows_.size() < upToVisible))
        fetchBlock();
}

void TQemDataSet::FetchAll()
{
    const bool had = liveQuery_ != nullptr;
    fetchRows(-1);
    if (had && filtered_)
        applyFilter();
}

// --- fields

TQemField* TQemDataSet::Fields(int index) const
{
    if (index < 0 || index >= int(fields_.size()))
        throw EQemDatabaseError(QStringLiteral("Feldindex %1 außerhalb des gültigen Bereichs (%2)").arg(index).arg(Name()));
    return fields_[size_t(index)].get();
}

int TQemDataSet::FieldIndex(const QString& name) const
{
    // Callers mostly write the name as the server reports it: found without a lower-case copy.
    if (const auto it = nameIndex_.constFind(name); it != nameIndex_.constEnd())
        return *it;
    return nameIndex_.value(name.trimmed().toLower(), -1);
}

TQemField* TQemDataSet::FindField(const QString& name) const
{
    const int i = FieldIndex(name);
    return i < 0 ? nullptr : fields_[size_t(i)].get();
}

TQemField* TQemDataSet::FieldByName(const QString& name) const
{
    if (TQemField* f = FindField(name))
        return f;
    throw EQemDatabaseError(QStringLiteral("%1: Feld '%2' nicht gefunden").arg(Name().isEmpty() ? QStringLiteral("Datenmenge") : Name(), name));
}

QStringList TQemDataSet::FieldNames() const
{
    QStringList names;
    for (const auto& f : fields_)
        names << f->FieldName();
    return names;
}

// --- rows and cursor

int TQemDataSet::visibleCount() const
{
    return filtered_ && filter_ ? int(view_.size()) : int(rows_.size());
}

int TQemDataSet::storageOf(int visible) const
{
    if (visible < 0)
        return -1;
    if (filtered_ && filter_)
        return visible < view_.size() ? view_.at(visible) : -1;
    if (visible >= rows_.size())
        fetchRows(visible + 1);
    return visible < rows_.size() ? visible : -1;
}

int TQemDataSet::StorageIndex() const
{
    return storageOf(cursor_);
}

const TQemDataSet::Row* TQemDataSet::CurrentRowValues() const
{
    const int s = StorageIndex();
    return s < 0 ? nullptr : &rows_.at(s);
}

const QVariant& TQemDataSet::currentValue(int index) const
{
    if (state_ == dsEdit || state_ == dsInsert || state_ == dsSetKey)
        return index < buffer_.size() ? buffer_.at(index) : nullValue;
    const Row* row = CurrentRowValues();
    return row && index < row->size() ? row->at(index) : nullValue;
}

QVariant TQemDataSet::oldValue(int index) const
{
    if (state_ == dsInsert || state_ == dsSetKey)
        return QVariant();
    const Row* row = CurrentRowValues();
    return row && index < row->size() ? row->at(index) : QVariant();
}

QVariant TQemDataSet::RowValue(int row, int column) const
{
    if ((state_ == dsEdit) && row == cursor_)
        return column < buffer_.size() ? buffer_.at(column) : QVariant();
    const int s = storageOf(row);
    if (s < 0 || column < 0 || column >= rows_.at(s).size())
        return QVariant();
    return rows_.at(s).at(column);
}

void TQemDataSet::NotifyScrolled()
{
    if (!Active())
        return;
    if (!SuppressAfterScroll)
        DoAfterScroll();
    if (!ControlsDisabled())
        emit currentChanged(cursor_);
}

void TQemDataSet::EnableControls()
{
    if (disableCount_ > 0 && --disableCount_ == 0 && Active()) {
        emit rowsReset();
        emit currentChanged(cursor_);
    }
}

void TQemDataSet::requireBrowse(const char* operation) const
{
    if (!Active())
        throw EQemDatabaseError(QStringLiteral("%1: Operation %2 bei geschlossener Datenmenge nicht möglich")
                                    .arg(Name().isEmpty() ? QStringLiteral("Datenmenge") : Name(), QLatin1String(operation)));
}

void TQemDataSet::First()
{
    requireBrowse("First");
    if (state_ == dsEdit || state_ == dsInsert)
        Post();
    else if (state_ == dsSetKey)
        Cancel();
    cursor_ = visibleCount() > 0 || storageOf(0) >= 0 ? 0 : -1;
    bof_ = true;
    eof_ = cursor_ < 0;
    NotifyScrolled();
}

void TQemDataSet::Next()
{
    requireBrowse("Next");
    if (state_ == dsEdit || state_ == dsInsert)
        Post();
    if (storageOf(cursor_ + 1) >= 0) {
        ++cursor_;
        bof_ = false;
        eof_ = false;
        NotifyScrolled();
    } else {
        eof_ = true;
    }
}

void TQemDataSet::Prior()
{
    requireBrowse("Prior");
    if (state_ == dsEdit || state_ == dsInsert)
        Post();
    if (cursor_ > 0) {
        --cursor_;
        bof_ = false;
        eof_ = false;
        NotifyScrolled();
    } else {
        bof_ = true;
    }
}

void TQemDataSet::Last()
{
    requireBrowse("Last");
    if (state_ == dsEdit || state_ == dsInsert)
        Post();
    FetchAll();
    cursor_ = visibleCount() - 1;
    bof_ = cursor_ < 0;
    eof_ = true;
    NotifyScrolled();
}

int TQemDataSet::MoveBy(int distance)
{
    int moved = 0;
    while (distance > 0 && storageOf(cursor_ + 1) >= 0) {
        ++cursor_;
        --distance;
        ++moved;
    }
    while (distance < 0 && cursor_ > 0) {
        --cursor_;
        ++distance;
        --moved;
    }
    if (distance > 0)
        eof_ = true;
    else if (distance < 0)
        bof_ = true;
    if (moved != 0) {
        if (distance == 0)
            bof_ = eof_ = false;
        NotifyScrolled();
    }
    return moved;
}

bool TQemDataSet::Eof() const
{
    return !Active() || eof_ || (cursor_ < 0);
}

bool TQemDataSet::Bof() const
{
    return !Active() || bof_ || (cursor_ < 0);
}

int TQemDataSet::RecNo() const
{
    if (!Active() || state_ == dsInsert || cursor_ < 0)
        return state_ == dsInsert ? -1 : 0;
    return cursor_ + 1;
}

void TQemDataSet::SetRecNo(int recNo)
{
    requireBrowse("RecNo");
    if (recNo < 1 || storageOf(0) < 0)
        return;
    storageOf(recNo - 1);
    const int target = std::min(recNo, visibleCount()) - 1;
    cursor_ = target;
    bof_ = eof_ = false;
    NotifyScrolled();
}

int TQemDataSet::RecordCount() const
{
    if (!Active())
        return 0;
    fetchRows(-1);
    if (filtered_ && filter_)
        const_cast<TQemDataSet*>(this)->applyFilter();
    return visibleCount();
}

bool TQemDataSet::IsEmpty() const
{
    return !Active() || storageOf(0) < 0;
}

// --- editing

void TQemDataSet::setState(TDataSetState state)
{
    if (state_ == state)
        return;
    state_ = state;
    emit stateChanged(state);
}

bool TQemDataSet::Modified() const
{
    return assigned_.contains(true);
}

bool TQemDataSet::FieldModified(int index) const
{
    return index >= 0 && index < assigned_.size() && assigned_.at(index);
}

TQemDataSet::Row TQemDataSet::BufferValues() const
{
    return buffer_;
}

void TQemDataSet::setFieldValue(int index, const QVariant& value)
{
    if (state_ != dsEdit && state_ != dsInsert && state_ != dsSetKey)
        throw EQemDatabaseError(QStringLiteral("%1: Die Datenmenge ist nicht im Bearbeitungs- oder Einfügemodus (Feld %2)")
                                    .arg(Name().isEmpty() ? QStringLiteral("Datenmenge") : Name(), Fields(index)->FieldName()));
    SetBufferValue(index, value, true);
}

void TQemDataSet::SetBufferValue(int index, const QVariant& value, bool markModified)
{
    if (index < 0 || index >= buffer_.size())
        return;
    buffer_[index] = value;
    if (markModified)
        assigned_[index] = true;
}

void TQemDataSet::Edit()
{
    requireBrowse("Edit");
    if (state_ == dsEdit || state_ == dsInsert)
        return;
    if (state_ == dsSetKey)
        Cancel();
    if (IsEmpty()) {
        Append();
        return;
    }
    DoBeforeEdit();
    buffer_ = *CurrentRowValues();
    assigned_ = QList<bool>(buffer_.size(), false);
    setState(dsEdit);
    DoAfterEdit();
}

void TQemDataSet::Insert()
{
    requireBrowse("Insert");
    if (state_ == dsEdit || state_ == dsInsert)
        Post();
    else if (state_ == dsSetKey)
        Cancel();
    DoBeforeInsert();
    insertAt_ = cursor_ < 0 ? 0 : cursor_;
    buffer_ = Row(int(fields_.size()));
    assigned_ = QList<bool>(buffer_.size(), false);
    setState(dsInsert);
    DoOnNewRecord();
    DoAfterInsert();
}

void TQemDataSet::Append()
{
    requireBrowse("Append");
    if (state_ == dsEdit || state_ == dsInsert)
        Post();
    else if (state_ == dsSetKey)
        Cancel();
    FetchAll();
    DoBeforeInsert();
    insertAt_ = visibleCount();
    buffer_ = Row(int(fields_.size()));
    assigned_ = QList<bool>(buffer_.size(), false);
    setState(dsInsert);
    DoOnNewRecord();
    DoAfterInsert();
}

void TQemDataSet::SetKey()
{
    requireBrowse("SetKey");
    if (state_ == dsEdit || state_ == dsInsert)
        Post();
    buffer_ = Row(int(fields_.size()));
    assigned_ = QList<bool>(buffer_.size(), false);
    setState(dsSetKey);
}

void TQemDataSet::Cancel()
{
    if (state_ != dsEdit && state_ != dsInsert && state_ != dsSetKey)
        return;
    const bool keyEntry = state_ == dsSetKey;
    if (!keyEntry)
        DoBeforeCancel();
    buffer_.clear();
    assigned_.clear();
    setState(dsBrowse);
    if (!keyEntry) {
        DoAfterCancel();
        if (!ControlsDisabled())
            emit currentChanged(cursor_);
    }
}

void TQemDataSet::Post()
{
    if (state_ == dsSetKey) {
        Cancel();
        return;
    }
    if (state_ != dsEdit && state_ != dsInsert)
        return;
    DoBeforePost();
    savedPostState_ = state_;
    postByFallback_ = false;
    for (int attempt = 0;; ++attempt) {
        try {
            InternalPost();
            break;
        } catch (const EQemDatabaseError& e) {
            const TDataAction action = PostError(e);
            if (action == daFail || (action == daRetry && attempt >= 9))
                throw;
            if (action == daAbort)
                throw EAbort();
            if (action == daHandled) {
                postByFallback_ = true;
                break;
            }
        }
    }
    finishPost();
    DoAfterPost();
}

void TQemDataSet::finishPost()
{
    if (state_ != dsEdit && state_ != dsInsert)
        return;
    if (state_ == dsInsert) {
        int visible = std::clamp(insertAt_, 0, visibleCount());
        int storage;
        if (filtered_ && filter_) {
            storage = visible < view_.size() ? view_.at(visible) : int(rows_.size());
            for (int& s : view_)
                if (s >= storage)
                    ++s;
            view_.insert(visible, storage);
        } else {
            storage = visible;
        }
        rows_.insert(storage, buffer_);
        cursor_ = visible;
        buffer_.clear();
        assigned_.clear();
        bof_ = eof_ = false;
        setState(dsBrowse);
        emit rowInserted(visible);
    } else {
        const int s = StorageIndex();
        if (s >= 0)
            rows_[s] = buffer_;
        buffer_.clear();
        assigned_.clear();
        setState(dsBrowse);
        emit rowChanged(cursor_);
    }
}

TDataAction TQemDataSet::PostError(const EQemDatabaseError& error)
{
    return OnPostError ? OnPostError(*this, error) : daFail;
}

QStringList TQemDataSet::KeyFields() const
{
    if (!keyFields_.isEmpty())
        return keyFields_;
    return detectKeyFields();
}

QStringList TQemDataSet::detectKeyFields() const
{
    if (UpdateTableName() != metaTable_)
        const_cast<TQemDataSet*>(this)->loadTableMetadata();
    QStringList keys;
    for (const QString& k : metaPrimary_)
        if (FindField(k))
            keys << FindField(k)->FieldName();
    if (keys.size() != metaPrimary_.size() || keys.isEmpty()) {
        keys.clear();
        if (!fields_.empty())
            keys << fields_.front()->FieldName();
    }
    return keys;
}

QString TQemDataSet::keyCondition(const QStringList& keys, QVariantList& values, const Row& row) const
{
    const SqlDialect dialect(SERVER_TYPE);
    QStringList parts;
    for (const QString& k : keys) {
        const int i = FieldIndex(k);
        const QVariant v = i >= 0 && i < row.size() ? row.at(i) : QVariant();
        if (v.isNull()) {
            parts << dialect.quoteIdentifier(k) + QStringLiteral(" IS NULL");
        } else {
            parts << dialect.quoteIdentifier(k) + QStringLiteral("=?");
            values << v;
        }
    }
    return parts.join(QStringLiteral(" AND "));
}

namespace {

// Values as the drivers store them: Booleans as 0/1, date-times on SQLite as "yyyy-MM-dd hh:mm:ss".
QVariant bindable(const QVariant& v, int serverType)
{
    if (v.isNull())
        return v;
    switch (v.typeId()) {
    case QMetaType::Bool:
        return QVariant(v.toBool() ? 1 : 0);
    case QMetaType::QDateTime:
        if (serverType == stSQLite)
            return QVariant(v.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        return v;
    case QMetaType::QTime:
        if (serverType == stSQLite)
            return QVariant(v.toTime().toString(QStringLiteral("hh:mm:ss")));
        return v;
    default:
        return v;
    }
}

}  // namespace

QSqlQuery TQemDataSet::ExecStatement(const QString& sql, const QVariantList& values)
{
    if (!connection_)
        throw EQemDatabaseError(QStringLiteral("Der Datenmenge %1 ist keine Verbindung zugewiesen.").arg(Name()));
    connection_->NoteStatement(sql);
    QSqlQuery q(connection_->Database());
    q.setForwardOnly(true);
    bool ok = q.prepare(sql);
    if (ok) {
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, bindable(values.at(i), SERVER_TYPE));
        ok = q.exec();
    }
    if (!ok)
        throw EQemDatabaseError(TQemConnection::ErrorText(q.lastError()));
    return q;
}

void TQemDataSet::InternalPost()
{
    const QString table = UpdateTableName();
    if (table.isEmpty())
        throw EQemDatabaseError(QStringLiteral("%1: Die Datenmenge kann nicht geändert werden, ihre Basistabelle ist nicht bekannt.")
                                    .arg(Name().isEmpty() ? QStringLiteral("Datenmenge") : Name()));
    const SqlDialect dialect(SERVER_TYPE);
    QStringList names;
    QVariantList values;
    if (state_ == dsInsert) {
        for (int i = 0; i < buffer_.size(); ++i) {
            if (!assigned_.at(i))
                continue;
            if (fields_[size_t(i)]->IsAutoIncrement() && buffer_.at(i).isNull())
                continue;
            names << dialect.quoteIdentifier(fields_[size_t(i)]->FieldName());
            values << buffer_.at(i);
        }
        QString sql = QStringLiteral("INSERT INTO ") + dialect.quoteIdentifier(table);
        if (names.isEmpty())
            sql += dialect.isMySql() ? QStringLiteral(" () VALUES ()") : QStringLiteral(" DEFAULT VALUES");
        else
            sql += QStringLiteral(" (") + names.join(QLatin1Char(',')) + QStringLiteral(") VALUES (")
                   + QStringList(values.size(), QStringLiteral("?")).join(QLatin1Char(',')) + QLatin1Char(')');
        QSqlQuery q = ExecStatement(sql, values);
        const QVariant id = q.lastInsertId();
        if (id.isValid() && !id.isNull()) {
            for (int i = 0; i < int(fields_.size()); ++i) {
                if (fields_[size_t(i)]->IsAutoIncrement() && buffer_.at(i).isNull()) {
                    buffer_[i] = fields_[size_t(i)]->ConvertForType(id);
                    break;
                }
            }
        }
        return;
    }
    const Row* old = CurrentRowValues();
    if (!old)
        throw EQemDatabaseError(notFoundMessage());
    QStringList sets;
    for (int i = 0; i < buffer_.size(); ++i) {
        if (!assigned_.at(i) || buffer_.at(i) == old->at(i))
            continue;
        if (buffer_.at(i).isNull() && old->at(i).isNull())
            continue;
        sets << dialect.quoteIdentifier(fields_[size_t(i)]->FieldName()) + QStringLiteral("=?");
        values << buffer_.at(i);
    }
    if (sets.isEmpty())
        return;
    const QString where = keyCondition(KeyFields(), values, *old);
    const QString sql = QStringLiteral("UPDATE ") + dialect.quoteIdentifier(table) + QStringLiteral(" SET ")
                        + sets.join(QLatin1Char(',')) + QStringLiteral(" WHERE ") + where;
    QSqlQuery q = ExecStatement(sql, values);
    if (q.numRowsAffected() == 0)
        throw EQemDatabaseError(notFoundMessage());
}

void TQemDataSet::InternalDelete()
{
    const QString table = UpdateTableName();
    if (table.isEmpty())
        throw EQemDatabaseError(QStringLiteral("%1: Der Datensatz kann nicht gelöscht werden, die Basistabelle ist nicht bekannt.")
                                    .arg(Name().isEmpty() ? QStringLiteral("Datenmenge") : Name()));
    const Row* row = CurrentRowValues();
    if (!row)
        throw EQemDatabaseError(notFoundMessage());
    const SqlDialect dialect(SERVER_TYPE);
    QVariantList values;
    const QString where = keyCondition(KeyFields(), values, *row);
    QSqlQuery q = ExecStatement(QStringLiteral("DELETE FROM ") + dialect.quoteIdentifier(table)
                                    + QStringLiteral(" WHERE ") + where,
                                values);
    if (q.numRowsAffected() == 0)
        throw EQemDatabaseError(notFoundMessage());
}

void TQemDataSet::Delete()
{
    requireBrowse("Delete");
    if (state_ == dsInsert || state_ == dsSetKey) {
        Cancel();
        return;
    }
    if (state_ == dsEdit)
        Cancel();
    if (IsEmpty())
        throw EQemDatabaseError(QStringLiteral("Diese Operation kann nicht mit einer leeren Datenmenge ausgeführt werden."));
    DoBeforeDelete();
    const int before = generation_;
    InternalDelete();
    if (generation_ == before)
        removeCurrentRow();
    DoAfterDelete();
    NotifyScrolled();
}

void TQemDataSet::removeCurrentRow()
{
    const int s = StorageIndex();
    if (s < 0)
        return;
    const int visible = cursor_;
    rows_.removeAt(s);
    if (filtered_ && filter_) {
        view_.removeAt(visible);
        for (int& v : view_)
            if (v > s)
                --v;
    }
    const int count = visibleCount();
    if (count == 0 && storageOf(0) < 0) {
        cursor_ = -1;
        bof_ = eof_ = true;
    } else {
        cursor_ = std::min(visible, std::max(visibleCount() - 1, 0));
        storageOf(cursor_);
        bof_ = eof_ = false;
    }
    emit rowRemoved(visible);
}

// --- locate

bool TQemDataSet::Locate(const QString& keyFields, const QVariantList& values, TLocateOptions options)
{
    requireBrowse("Locate");
    if (state_ == dsEdit || state_ == dsInsert)
        Post();
    const QStringList names = splitFieldList(keyFields);
    if (names.isEmpty() || values.size() < names.size())
        return false;
    QList<int> columns;
    QVariantList wanted;
    for (int k = 0; k < names.size(); ++k) {
        TQemField* f = FieldByName(names.at(k));
        columns << f->Index();
        QVariant v = values.at(k);
        if (!v.isNull() && !f->IsText()) {
            try {
                v = f->ConvertForType(v);
            } catch (const EQemDatabaseError&) {
                return false;
            }
        }
        wanted << v;
    }
    const bool caseless = options & loCaseInsensitive;
    const bool partial = options & loPartialKey;
    FetchAll();
    const int count = visibleCount();
    for (int r = 0; r < count; ++r) {
        const Row& row = rows_.at(storageOf(r));
        bool match = true;
        for (int k = 0; k < columns.size() && match; ++k) {
            const TQemField* f = fields_[size_t(columns.at(k))].get();
            const QVariant& have = row.at(columns.at(k));
            const QVariant& want = wanted.at(k);
            if (want.isNull() || have.isNull()) {
                match = want.isNull() && (have.isNull() || (f->IsText() && have.toString().isEmpty()));
                continue;
            }
            if (f->IsNumeric()) {
                match = have.toDouble() == want.toDouble();
            } else if (f->IsDateOrTime()) {
                match = f->TextOf(have) == f->TextOf(want);
            } else if (f->DataType() == ftBoolean) {
                match = have.toBool() == want.toBool();
            } else {
                const QString h = f->TextOf(have);
                const QString w = want.toString();
                const Qt::CaseSensitivity cs = caseless ? Qt::CaseInsensitive : Qt::CaseSensitive;
                match = partial ? h.startsWith(w, cs) : h.compare(w, cs) == 0;
            }
        }
        if (match) {
            cursor_ = r;
            bof_ = eof_ = false;
            NotifyScrolled();
            return true;
        }
    }
    return false;
}

// --- filter

void TQemDataSet::SetFilter(const QString& text)
{
    filterText_ = text;
    filter_.reset();
    if (filtered_ && Active()) {
        applyFilter();
        First();
        emit rowsReset();
    }
}

void TQemDataSet::SetFiltered(bool value)
{
    if (filtered_ == value)
        return;
    filtered_ = value;
    filter_.reset();
    view_.clear();
    if (Active()) {
        if (value)
            applyFilter();
        First();
        emit rowsReset();
    }
}

void TQemDataSet::applyFilter()
{
    if (!filtered_ || filterText_.trimmed().isEmpty()) {
        filter_.reset();
        view_.clear();
        return;
    }
    if (!filter_) {
        try {
            auto expression = std::make_unique<FilterExpression>(FilterExpression::parse(filterText_));
            expression->bind(FieldNames());
            filter_ = std::move(expression);
        } catch (const FilterError& e) {
            filter_.reset();
            view_.clear();
            throw EQemDatabaseError(e.message());
        }
    }
    fetchRows(-1);
    view_.clear();
    for (int s = 0; s < rows_.size(); ++s)
        if (rowPasses(s))
            view_.append(s);
}

bool TQemDataSet::rowPasses(int storage) const
{
    const Row& row = rows_.at(storage);
    return filter_->matches([&row](int column) { return column < row.size() ? row.at(column) : QVariant(); });
}

// --- master and detail

void TQemDataSet::SetMasterSource(TQemDataSource* source)
{
    if (masterSource_.data() == source)
        return;
    disconnect(masterLink_);
    disconnect(masterOpenLink_);
    masterSource_ = source;
    if (!source)
        return;
    auto relink = [this](TQemDataSet* master) {
        disconnect(masterLink_);
        disconnect(masterOpenLink_);
        if (master) {
            masterLink_ = connect(master, &TQemDataSet::currentChanged, this, [this](int) { onMasterScrolled(); });
            masterOpenLink_ = connect(master, &TQemDataSet::rowsReset, this, [this]() { onMasterScrolled(); });
        }
    };
    connect(source, &TQemDataSource::dataSetChanged, this, relink);
    relink(source->DataSet());
}

TQemDataSource* TQemDataSet::MasterSource() const
{
    return masterSource_.data();
}

TQemDataSet* TQemDataSet::MasterDataSet() const
{
    return masterSource_ ? masterSource_->DataSet() : nullptr;
}

void TQemDataSet::onMasterScrolled()
{
    if (!Active() || applyingMaster_ || state_ != dsBrowse)
        return;
    applyingMaster_ = true;
    try {
        MasterChanged();
    } catch (const std::exception&) {
        // A detail that cannot follow its master keeps its rows; the next move tries again.
    }
    applyingMaster_ = false;
}

void TQemDataSet::MasterChanged()
{
    TQemDataSet* master = MasterDataSet();
    if (!master || !master->Active() || (masterFields_.trimmed().isEmpty() && params_.IsEmpty()))
        return;
    Requery();
}

// --- hooks

void TQemDataSet::DoBeforeOpen() { if (BeforeOpen) BeforeOpen(*this); }
void TQemDataSet::DoAfterOpen() { if (AfterOpen) AfterOpen(*this); }
void TQemDataSet::DoBeforeClose() { if (BeforeClose) BeforeClose(*this); }
void TQemDataSet::DoAfterClose() { if (AfterClose) AfterClose(*this); }
void TQemDataSet::DoBeforeEdit() { if (BeforeEdit) BeforeEdit(*this); }
void TQemDataSet::DoAfterEdit() { if (AfterEdit) AfterEdit(*this); }
void TQemDataSet::DoBeforeInsert() { if (BeforeInsert) BeforeInsert(*this); }
void TQemDataSet::DoAfterInsert() { if (AfterInsert) AfterInsert(*this); }
void TQemDataSet::DoOnNewRecord() { if (OnNewRecord) OnNewRecord(*this); }
void TQemDataSet::DoBeforePost() { if (BeforePost) BeforePost(*this); }
void TQemDataSet::DoAfterPost() { if (AfterPost) AfterPost(*this); }
void TQemDataSet::DoBeforeCancel() { if (BeforeCancel) BeforeCancel(*this); }
void TQemDataSet::DoAfterCancel() { if (AfterCancel) AfterCancel(*this); }
void TQemDataSet::DoBeforeDelete() { if (BeforeDelete) BeforeDelete(*this); }
void TQemDataSet::DoAfterDelete() { if (AfterDelete) AfterDelete(*this); }
void TQemDataSet::DoAfterScroll() { if (AfterScroll) AfterScroll(*this); }
