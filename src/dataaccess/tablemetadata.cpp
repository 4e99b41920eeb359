#include "dataaccess/tablemetadata.h"

#include "dataaccess/qemlayerstate.h"

#include <QSqlField>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <algorithm>

namespace {

// Runs one catalog statement; false when the server refuses it.
bool run(QSqlQuery& q, const QString& sql, const std::function<void(const QString&)>& note)
{
    if (note)
        note(sql);
    q.setForwardOnly(true);
    return q.exec(sql);
}

QString sqliteName(const QString& name)
{
    return QLatin1Char('\'') + QString(name).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

int declaredSize(const QString& declared)
{
    const int open = declared.indexOf(QLatin1Char('('));
    const int close = declared.indexOf(QLatin1Char(')'), open);
    return open >= 0 && close > open ? declared.mid(open + 1, close - open - 1).section(QLatin1Char(','), 0, 0).toInt() : 0;
}

}  // namespace

void TableMetadata::clear()
{
    baseName_.clear();
    columns_.clear();
    indexes_.clear();
    loaded_ = false;
}

void TableMetadata::setDefinitions(const QString& baseName, QList<TableColumnInfo> columns, QList<TableIndexInfo> indexes)
{
    baseName_ = baseName;
    columns_ = std::move(columns);
    indexes_ = std::move(indexes);
    loaded_ = true;
}

bool TableMetadata::load(const QSqlDatabase& db, int serverType, const QString& baseName,
                         const std::function<void(const QString&)>& note)
{
    clear();
    baseName_ = baseName;
    bool ok = false;
    switch (serverType) {
    case stMySql: ok = loadMySql(db, note); break;
    case stSQLite: ok = loadSqlite(db, note); break;
    case stMsSql: ok = loadSqlServer(db, note); break;
    default: ok = loadFromDriver(db); break;
    }
    if (!ok || columns_.isEmpty()) {
        const QString name = baseName_;
        clear();
        baseName_ = name;
        return false;
    }
    loaded_ = true;
    return true;
}

void TableMetadata::addIndexField(const QString& index, const QString& field, bool primary, bool unique)
{
    auto it = std::find_if(indexes_.begin(), indexes_.end(), [&](const TableIndexInfo& i) { return i.name == index; });
    if (it == indexes_.end()) {
        indexes_.append(TableIndexInfo{index, {}, primary, unique});
        it = indexes_.end() - 1;
    }
    it->fields.append(field);
}

bool TableMetadata::loadMySql(const QSqlDatabase& db, const std::function<void(const QString&)>& note)
{
    QSqlQuery q(db);
    if (!run(q, QLatin1String("SHOW FIELDS FROM `") + baseName_ + QLatin1Char('`'), note))
        return false;
    while (q.next()) {
        const QString declared = q.value(1).toString();
        TableColumnInfo c{q.value(0).toString(), TQemField::TypeFromDeclared(declared), declaredSize(declared),
                          q.value(5).toString().toLower().contains(QLatin1String("auto"))};
        columns_.append(c);
    }
    if (!run(q, QLatin1String("SHOW INDEX FROM `") + baseName_ + QLatin1Char('`'), note))
        return false;
    const QSqlRecord r = q.record();
    const int key = r.indexOf(QStringLiteral("Key_name"));
    const int col = r.indexOf(QStringLiteral("Column_name"));
    const int nonUnique = r.indexOf(QStringLiteral("Non_unique"));
    while (q.next()) {
        const QString name = q.value(key).toString();
        addIndexField(name, q.value(col).toString(), name == QLatin1String("PRIMARY"), q.value(nonUnique).toInt() == 0);
    }
    return true;
}

bool TableMetadata::loadSqlite(const QSqlDatabase& db, const std::function<void(const QString&)>& note)
{
    QSqlQuery q(db);
    if (!run(q, QLatin1String("PRAGMA table_info(") + sqliteName(baseName_) + QLatin1Char(')'), note))
        return false;
    QList<QPair<int, QString>> pk;
    while (q.next()) {
        const QString declared = q.value(2).toString();
        columns_.append(TableColumnInfo{q.value(1).toString(), TQemField::TypeFromDeclared(declared), declaredSize(declared), false});
        if (q.value(5).toInt() > 0)
            pk.append({q.value(5).toInt(), q.value(1).toString()});
    }
    std::sort(pk.begin(), pk.end());
    if (!run(q, QLatin1String("PRAGMA index_list(") + sqliteName(baseName_) + QLatin1Char(')'), note))
        return false;
    struct Listed { QString name; bool unique; bool primary; };
    QList<Listed> listed;
    while (q.next())
        listed.append({q.value(1).toString(), q.value(2).toInt() != 0, q.value(3).toString() == QLatin1String("pk")});
    // index_list lists the newest index first; keep the order of creation.
    std::reverse(listed.begin(), listed.end());
    bool primaryListed = false;
    for (const Listed& l : listed) {
        if (!run(q, QLatin1String("PRAGMA index_info(") + sqliteName(l.name) + QLatin1Char(')'), note))
            return false;
        QList<QPair<int, QString>> parts;
        while (q.next())
            parts.append({q.value(0).toInt(), q.value(2).toString()});
        std::sort(parts.begin(), parts.end());
        for (const auto& p : parts)
            addIndexField(l.name, p.second, l.primary, l.unique);
        primaryListed = primaryListed || l.primary;
    }
    if (!primaryListed && !pk.isEmpty()) {
        // An INTEGER PRIMARY KEY is the row id itself and has no index entry.
        TableIndexInfo primary{QStringLiteral("PRIMARY"), {}, true, true};
        for (const auto& p : pk)
            primary.fields.append(p.second);
        indexes_.prepend(primary);
        if (pk.size() == 1) {
            for (TableColumnInfo& c : columns_) {
                if (c.name == pk.first().second && c.type == ftInteger)
                    c.autoIncrement = true;
            }
        }
    }
    return true;
}

QString TableMetadata::indexQuery(int serverType, const QString& baseName)
{
    if (serverType != stMsSql)
        return {};
    return QLatin1String(
               "SELECT i.name, c.name, ic.key_ordinal, i.is_primary_key, i.is_unique FROM sys.indexes i "
               "JOIN sys.index_columns ic ON ic.object_id = i.object_id AND ic.index_id = i.index_id "
               "JOIN sys.columns c ON c.object_id = ic.object_id AND c.column_id = ic.column_id "
               "WHERE i.object_id = OBJECT_ID('")
        + QString(baseName).replace(QLatin1Char('\''), QLatin1String("''"))
        + QLatin1String("') AND ic.is_included_column = 0 ORDER BY i.index_id, ic.key_ordinal");
}

bool TableMetadata::loadSqlServer(const QSqlDatabase& db, const std::function<void(const QString&)>& note)
{
    if (!loadFromDriver(db))
        return false;
    indexes_.clear();
    QSqlQuery q(db);
    if (!run(q, indexQuery(stMsSql, baseName_), note))
        return false;
    while (q.next())
        addIndexField(q.value(0).toString(), q.value(1).toString(), q.value(3).toBool(), q.value(4).toBool());
    return true;
}

bool TableMetadata::loadFromDriver(const QSqlDatabase& db)
{
    const QSqlRecord r = db.record(baseName_);
    for (int i = 0; i < r.count(); ++i) {
        const QSqlField f = r.field(i);
        columns_.append(TableColumnInfo{f.name(), TQemField::TypeFromMeta(f.metaType().id(), f.length()), f.length(),
                                        f.isAutoValue()});
    }
    const QSqlIndex pk = db.primaryIndex(baseName_);
    for (int i = 0; i < pk.count(); ++i)
        addIndexField(pk.name().isEmpty() ? QStringLiteral("PRIMARY") : pk.name(), pk.fieldName(i), true, true);
    return true;
}

const TableIndexInfo* TableMetadata::primaryIndex() const
{
    for (const TableIndexInfo& i : indexes_) {
        if (i.primary)
            return &i;
    }
    return nullptr;
}

const TableIndexInfo* TableMetadata::findIndex(const QString& indexName) const
{
    const QString name = indexName.trimmed().isEmpty() ? QStringLiteral("DEFAULT") : indexName.trimmed();
    const QString prefixed = baseName_ + QLatin1Char('_') + name;
    for (const TableIndexInfo& i : indexes_) {
        if (i.name.compare(name, Qt::CaseInsensitive) == 0 || i.name.compare(prefixed, Qt::CaseInsensitive) == 0)
            return &i;
    }
    if (name.compare(QLatin1String("DEFAULT"), Qt::CaseInsensitive) == 0)
        return primaryIndex();
    return nullptr;
}

const TableColumnInfo* TableMetadata::column(const QString& name) const
{
    for (const TableColumnInfo& c : columns_) {
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

std::optional<TFieldType> TableMetadata::kindOf(const QString& name) const
{
    if (const TableColumnInfo* c = column(name))
        return c->type;
    return std::nullopt;
}
