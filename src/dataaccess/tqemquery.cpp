#include "dataaccess/tqemquery.h"

#include "dataaccess/sqldialect.h"
#include "dataaccess/sqlerrorlog.h"
#include "dataaccess/tablesql.h"
#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemdatasource.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSqlField>
#include <QSqlRecord>

#include <algorithm>

namespace {

void replaceAllCaseless(QString& text, const QString& what, const QString& with)
{
    text.replace(what, with, Qt::CaseInsensitive);
}

// Position right after the FROM keyword: " from " in the lower-cased text, else "from ".
int afterFrom(const QString& lower)
{
    int at = lower.indexOf(QLatin1String(" from "));
    if (at >= 0)
        return at + 6;
    at = lower.indexOf(QLatin1String("from "));
    return at >= 0 ? at + 5 : -1;
}

QString stripDb(const QString& name)
{
    return name.endsWith(QLatin1String(".db"), Qt::CaseInsensitive) ? name.left(name.size() - 3) : name;
}

quint64 tickCount()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return quint64(clock.elapsed());
}

// Restores a flag on every way out.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

TQemQuery::TQemQuery(QObject* owner) : TQemDataSet(owner)
{
    SERVER_TYPE = -1;
}

TQemQuery::~TQemQuery() = default;

void TQemQuery::SetSQL(const QString& sql)
{
    if (Active())
        Close();
    sql_ = sql;
    SetCommandText(sql);
}

QString TQemQuery::TranslateBDEToADO(const QString& sql, int serverType)
{
    QString text = sql;
    replaceAllCaseless(text, QStringLiteral("WAHR"), QStringLiteral("1"));
    replaceAllCaseless(text, QStringLiteral("FALSCH"), QStringLiteral("0"));
    replaceAllCaseless(text, QStringLiteral("TRUE"), QStringLiteral("1"));
    replaceAllCaseless(text, QStringLiteral("FALSE"), QStringLiteral("0"));
    replaceAllCaseless(text, QStringLiteral(".db "), QStringLiteral(" "));
    replaceAllCaseless(text, QStringLiteral(".db\r"), QStringLiteral("\r"));
    if (serverType == stMySql) {
        text.replace(QLatin1Char('['), QLatin1Char('`'));
        text.replace(QLatin1Char(']'), QLatin1Char('`'));
    }
    if (serverType == stMySql || serverType == stSQLite)
        replaceAllCaseless(text, QStringLiteral(" ISNULL("), QStringLiteral(" IFNULL("));
    return text;
}

QString TQemQuery::TableNameOf(const QString& sql)
{
    const int start = afterFrom(sql.toLower());
    if (start < 0)
        return {};
    QString name = sql.mid(start, 200).trimmed();
    // A line break after the name ends it as a blank does.
    static const QRegularExpression whitespace(QStringLiteral("\\s"));
    const int blank = name.indexOf(whitespace);
    if (blank < 0)
        return {};
    name = name.left(blank + 1).trimmed();
    name.remove(QLatin1Char('('));
    return name;
}

QString TQemQuery::UpdateTableName() const
{
    // The table our own write-back goes to: the single table after FROM (not a join).
    const QString text = CommandText().isEmpty() ? sql_ : CommandText();
    const QString lower = text.toLower();
    if (lower.contains(QLatin1String(" join ")))
        return {};
    const int start = afterFrom(lower);
    if (start < 0)
        return {};
    int pos = start;
    while (pos < text.size() && text.at(pos).isSpace())
        ++pos;
    int end = pos;
    while (end < text.size() && !text.at(end).isSpace() && text.at(end) != QLatin1Char(',')
           && text.at(end) != QLatin1Char(';') && text.at(end) != QLatin1Char(')'))
        ++end;
    int next = end;
    while (next < text.size() && text.at(next).isSpace())
        ++next;
    if (next < text.size() && text.at(next) == QLatin1Char(','))
        return {};  // several tables
    QString name = text.mid(pos, end - pos);
    name.remove(QLatin1Char('[')).remove(QLatin1Char(']')).remove(QLatin1Char('`')).remove(QLatin1Char('('));
    return stripDb(name);
}

void TQemQuery::Open()
{
    if (Active())
        return;
    RefreshServerType();
    sql_ = TranslateBDEToADO(sql_);
    tableName_ = TableNameOf(sql_);
    const int limit = maxRecords_ != 0 ? maxRecords_ : (Connection() ? Connection()->MaxRecords : 0);
    FetchLimit = limit > 0 ? limit : 0;
    QString command = sql_;
    TQemDataSet* master = MasterDataSet();
    if (SERVER_TYPE == stMySql && master && master->Active() && !TQemParams::NamesInSql(sql_).isEmpty())
        command = SubstituteMasterValues(sql_);
    SetCommandText(command);
    paramProblem_ = SERVER_TYPE == stMySql && !MasterFields().trimmed().isEmpty();
    TQemDataSet::Open();
}

void TQemQuery::SetActive(bool value)
{
    if (value && !Active()) {
        RefreshServerType();
        sql_ = TranslateBDEToADO(sql_);
    }
    if (value)
        Open();
    else
        Close();
}

void TQemQuery::Close()
{
    TQemDataSet::Close();
    changeLogField_ = nullptr;
    Reattach();
}

void TQemQuery::DoBeforeOpen()
{
    TQemDataSet::DoBeforeOpen();
}

void TQemQuery::DoAfterOpen()
{
    afterOpened();
    TQemDataSet::DoAfterOpen();
}

void TQemQuery::afterOpened()
{
    changeLogField_ = FindField(QStringLiteral("Qem_CHANGE_LOG"));
}

int TQemQuery::ExecSQL()
{
    RefreshServerType();
    sql_ = TranslateBDEToADO(sql_);
    SetCommandText(sql_);
    TQemConnection* conn = Connection();
    if (!conn)
        throw EQemDatabaseError(QStringLiteral("Der Abfrage %1 ist keine Verbindung zugewiesen.").arg(Name()));
    conn->NoteStatement(sql_);
    QSqlQuery q(conn->Database());
    bool ok;
    if (Parameters().IsEmpty()) {
        ok = q.exec(sql_);
    } else {
        ok = q.prepare(sql_);
        for (int i = 0; ok && i < Parameters().Count(); ++i) {
            QVariant v = Parameters()[i].Value;
            if (v.typeId() == QMetaType::Bool)
                v = QVariant(v.toBool() ? 1 : 0);
            q.bindValue(QLatin1Char(':') + Parameters()[i].Name, v);
        }
        ok = ok && q.exec();
    }
    if (!ok)
        throw EQemDatabaseError(TQemConnection::ErrorText(q.lastError()));
    return q.numRowsAffected();
}

// --- row limit

QString TQemQuery::TopSelectText(const QString& sql, int limit, int serverType)
{
    const QString text = sql.trimmed();
    if (!text.toLower().startsWith(QLatin1String("select")))
        return text;
    return SqlDialect(serverType).topSelect(text, limit);
}

void TQemQuery::SetTopSelect(int limit)
{
    if (limit == 0 && Connection() && Connection()->Connected())
        limit = Connection()->MaxRecords;
    sql_ = TopSelectText(sql_, limit, RefreshServerType());
}

void TQemQuery::SetTopSelect2()
{
    int limit = maxRecords_;
    if (limit == 0 && Connection() && Connection()->Connected())
        limit = Connection()->MaxRecords;
    SetCommandText(TopSelectText(CommandText(), limit, RefreshServerType()));
}

void TQemQuery::SetMaxRecords(int value)
{
    maxRecords_ = value;
    if (!Active())
        return;
    SetTopSelect2();
    const int limit = maxRecords_ != 0 ? maxRecords_ : (Connection() ? Connection()->MaxRecords : 0);
    FetchLimit = limit > 0 ? limit : 0;
    Requery();
}

void TQemQuery::Refresh()
{
    if (!Active())
        return;
    savedRecNo_ = RecNo();
    Requery();
    if (savedRecNo_ > 1)
        SetRecNo(savedRecNo_);
}

void TQemQuery::SetFilter(const QString& text)
{
    QString t = text;
    replaceAllCaseless(t, QStringLiteral("FALSCH"), QStringLiteral("FALSE"));
    replaceAllCaseless(t, QStringLiteral("WAHR"), QStringLiteral("TRUE"));
    TQemDataSet::SetFilter(t);
}

void TQemQuery::CheckADOFirstError(bool flag)
{
    if (!Active() || !(flag || paramProblem_))
        return;
    paramProblem_ = false;
    TQemDataSet* master = MasterDataSet();
    if (master && master->Active() && !master->IsEmpty() && IsEmpty())
        MasterChanged();
}

// --- master and detail on MySQL

QString TQemQuery::SubstituteMasterValues(const QString& sql) const
{
    TQemDataSet* master = MasterDataSet();
    if (!master || !master->Active())
        return sql;
    QStringList names = TQemParams::NamesInSql(sql);
    if (names.isEmpty())
        for (const QString& n : MasterFields().split(QLatin1Char(';'), Qt::SkipEmptyParts))
            names << n.trimmed();
    // Longer names first, so that :Auftrag never eats the start of :AuftragNr.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
    const SqlDialect dialect(stMySql);
    QString text = sql;
    for (const QString& name : std::as_const(names)) {
        const TQemField* f = master->FindField(name);
        if (!f)
            continue;
        QString value;
        if (f->IsNull()) {
            value = QStringLiteral("NULL");
        } else if (f->IsIntegral()) {
            value = QString::number(f->AsLargeInt());
        } else if (f->DataType() == ftBoolean) {
            value = f->AsBoolean() ? QStringLiteral("1") : QStringLiteral("0");
        } else if (f->IsNumeric()) {
            value = QString::number(f->AsFloat(), 'g', 15);
        } else if (f->DataType() == ftDate) {
            value = QLatin1Char('\'') + f->AsDate().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\'');
        } else if (f->DataType() == ftDateTime) {
            value = QLatin1Char('\'') + f->AsDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) + QLatin1Char('\'');
        } else if (f->DataType() == ftTime) {
            value = QLatin1Char('\'') + f->AsTime().toString(QStringLiteral("hh:mm:ss")) + QLatin1Char('\'');
        } else {
            // Quotes and backslashes in the master's text must not end the literal.
            value = dialect.quoteString(f->AsString());
        }
        const QRegularExpression placeholder(QLatin1Char(':') + QRegularExpression::escape(name)
                                                 + QStringLiteral("(?![A-Za-z0-9_])"),
                                             QRegularExpression::CaseInsensitiveOption);
        text.replace(placeholder, value);
    }
    return text;
}

void TQemQuery::MasterChanged()
{
    if (SERVER_TYPE != stMySql) {
        TQemDataSet::MasterChanged();
        return;
    }
    if (!Active() || masterReentry_)
        return;
    FlagScope reentry(masterReentry_);
    TQemDataSet* master = MasterDataSet();
    if (!master || !master->Active())
        return;
    const QStringList names = TQemParams::NamesInSql(sql_);
    if (MasterFields().trimmed().isEmpty() && !names.isEmpty())
        SetMasterFields(names.join(QLatin1Char(';')));
    if (names.isEmpty() && MasterFields().trimmed().isEmpty())
        return;
    SetCommandText(SubstituteMasterValues(sql_));
    try {
        Requery();
    } catch (const EQemDatabaseError&) {
        Close();
        Open();
    }
}

// --- posting

void TQemQuery::DoBeforePost()
{
    insertToken_.clear();
    savedRecNo_ = RecNo();
    postErrorFlag_ = false;
    if (SERVER_TYPE == stMySql && State() == dsInsert) {
        try {
            if (TQemField* dummy = FindField(QStringLiteral("Qem_dummy"))) {
                insertToken_ = QString::number(QemState::CurrentUserID) + QLatin1Char('_')
                               + QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"))
                               + QLatin1Char('_') + QString::number(tickCount());
                dummy->SetAsString(insertToken_);
            }
        } catch (const EQemDatabaseError&) {
            insertToken_.clear();
        }
    }
    TQemDataSet::DoBeforePost();
}

void TQemQuery::DoAfterPost()
{
    const bool join = sql_.toLower().contains(QLatin1String(" join "));
    if (postErrorFlag_ || join) {
        const bool wasInsert = SavedPostState() == dsInsert;
        const int recNo = savedRecNo_;
        Requery();
        if (wasInsert)
            Last();
        else if (recNo > 0)
            SetRecNo(recNo);
    }
    TQemDataSet::DoAfterPost();
}

QStringList TQemQuery::metadataColumns(QList<bool>* autoInc) const
{
    QStringList names;
    if (!Connection())
        return names;
    const QSqlRecord record = Connection()->Database().record(stripDb(tableName_));
    for (int i = 0; i < record.count(); ++i) {
        names << record.fieldName(i);
        if (autoInc)
            autoInc->append(record.field(i).isAutoValue());
    }
    return names;
}

QString TQemQuery::buildFallbackStatement(bool insert) const
{
    QList<bool> autoInc;
    const QStringList columns = metadataColumns(&autoInc);
    QList<PostColumn> post;
    bool firstIncluded = false;
    for (int i = 0; i < columns.size(); ++i) {
        const TQemField* f = FindField(columns.at(i));
        if (!f)
            continue;
        if (!insert && columns.at(i).compare(QLatin1String("Qem_CHANGE_LOG"), Qt::CaseInsensitive) == 0)
            continue;
        if (i == 0)
            firstIncluded = true;
        post.append(PostColumn{columns.at(i), f->DataType(), f->OldValue(), f->Value()});
    }
    TableSql sql;
    sql.serverType = SERVER_TYPE;
    sql.convertDateLiterals = QemState::ConvertDateLiterals;
    sql.tableName = tableName_;
    if (insert) {
        const bool skipFirst = firstIncluded && !autoInc.isEmpty() && autoInc.first();
        return sql.fallbackInsert(post, skipFirst);
    }
    return sql.fallbackUpdate(post);
}

TDataAction TQemQuery::PostError(const EQemDatabaseError& error)
{
    if (tableName_.trimmed().isEmpty())
        return TQemDataSet::PostError(error);
    postErrorFlag_ = true;
    DisableControls();
    QString statement;
    try {
        statement = buildFallbackStatement(State() == dsInsert);
        if (statement.isEmpty()) {
            postErrorFlag_ = false;
        } else {
            try {
                ExecStatement(statement);
            } catch (const EQemDatabaseError& e) {
                WriteSqlErrorLog(QStringLiteral("SQLFehler: ") + e.message());
                WriteSqlErrorLog(statement);
            }
        }
    } catch (...) {
        EnableControls();
        throw;
    }
    EnableControls();
    return daHandled;
}

void TQemQuery::InternalDelete()
{
    if (!sql_.toLower().contains(QLatin1String(" join "))) {
        TQemDataSet::InternalDelete();
        return;
    }
    if (FieldCount() == 0 || IsEmpty())
        return;
    const QString table = stripDb(TableNameOf(sql_));
    const TQemField* first = Fields(0);
    const QString firstName = first->FieldName();  // fields are rebuilt by the re-query
    const SqlDialect dialect(SERVER_TYPE);
    // The key goes in as a literal of its type, so a text key cannot end the statement.
    const QString key = first->IsNumeric() ? first->AsString().replace(QLatin1Char(','), QLatin1Char('.'))
                                           : dialect.quoteString(first->AsString());
    QString statement = QStringLiteral("DELETE FROM [") + table + QStringLiteral("] WHERE [") + first->FieldName()
                        + QStringLiteral("]=") + (first->IsNull() ? QStringLiteral("NULL") : key);
    const int here = RecNo();
    QString remembered;
    if (here < RecordCount())
        remembered = RowValue(here, 0).toString();
    else if (here > 1)
        remembered = RowValue(here - 2, 0).toString();
    statement = dialect.bracketsToNative(statement);
    ExecStatement(statement);
    Requery();
    if (!remembered.isEmpty())
        Locate(firstName, QVariant(remembered));
}
