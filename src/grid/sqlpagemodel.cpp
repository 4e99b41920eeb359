#include "grid/sqlpagemodel.h"

#include "grid/displayformat.h"

#include <QBrush>
#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>

#include <algorithm>

namespace {

QString wrapped(const QString& statement)
{
    return QStringLiteral("SELECT * FROM (%1) AS q").arg(statement);
}

// Dates arrive as QDate from some drivers and as ISO text from SQLite.
QDate asDate(const QVariant& value)
{
    const int type = value.typeId();
    if (type == QMetaType::QDate)
        return value.toDate();
    if (type == QMetaType::QDateTime)
        return value.toDateTime().date();
    if (type == QMetaType::QString) {
        static const QRegularExpression iso(QStringLiteral("^(\\d{4}-\\d{2}-\\d{2})([ T].*)?$"));
        const auto match = iso.match(value.toString());
        if (match.hasMatch())
            return QDate::fromString(match.captured(1), Qt::ISODate);
    }
    return {};
}

}  // namespace

SqlPageModel::SqlPageModel(QObject* parent) : QAbstractTableModel(parent)
{
    numberReader_ = [](const QString& text) {
        QLocale german(QLocale::German, QLocale::Germany);
        bool ok = false;
        double v = german.toDouble(text.trimmed(), &ok);
        return ok ? v : QLocale::c().toDouble(text.trimmed());
    };
}

void SqlPageModel::setColumns(const GridColumns& columns)
{
    beginResetModel();
    columns_ = columns;
    mapColumns();
    endResetModel();
}

bool SqlPageModel::setSource(const QSqlDatabase& database, const QString& selectStatement,
                             const QString& keyField, Reading reading)
{
    beginResetModel();
    database_ = database;
    statement_ = selectStatement;
    keyField_ = keyField;
    reading_ = reading;
    pages_.clear();
    recent_.clear();
    keys_.clear();
    rowCount_ = 0;
    fields_ = QSqlRecord();
    lastError_.clear();

    QSqlQuery structure(database_);
    structure.setForwardOnly(true);
    bool ok = structure.exec(wrapped(statement_) + QStringLiteral(" LIMIT 0"));
    if (ok) {
        fields_ = structure.record();
        QSqlQuery rows(database_);
        rows.setForwardOnly(true);
        ok = reading_ == Reading::KeysFirst ? readKeys(rows) : countRows(rows);
        if (!ok)
            lastError_ = rows.lastError().text();
    } else {
        lastError_ = structure.lastError().text();
    }
    keyIndex_ = fields_.indexOf(keyField_);
    if (ok && keyIndex_ < 0) {
        lastError_ = QStringLiteral("Feld %1 fehlt").arg(keyField_);
        ok = false;
    }
    if (!ok) {
        fields_ = QSqlRecord();
        rowCount_ = 0;
        keys_.clear();
    }
    exportIndex_ = fields_.indexOf(QStringLiteral("Export"));
    mapColumns();
    endResetModel();
    return ok;
}

bool SqlPageModel::countRows(QSqlQuery& query)
{
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM (%1) AS q").arg(statement_)) || !query.next())
        return false;
    rowCount_ = query.value(0).toInt();
    return true;
}

bool SqlPageModel::readKeys(QSqlQuery& query)
{
    if (!query.exec(QStringLiteral("SELECT %2 FROM (%1) AS q ORDER BY %2").arg(statement_, keyField_)))
        return false;
    while (query.next())
        keys_.append(query.value(0).toLongLong());
    rowCount_ = int(keys_.size());
    return true;
}

void SqlPageModel::refresh()
{
    if (statement_.isEmpty())
        return;
    setSource(database_, statement_, keyField_, reading_);
}

void SqlPageModel::mapColumns()
{
    columnField_.clear();
    for (const GridColumn& column : columns_.all()) {
        int found = -1;
        for (int i = 0; i < fields_.count(); ++i) {
            if (fields_.fieldName(i).compare(column.fieldName, Qt::CaseInsensitive) == 0) {
                found = i;
                break;
            }
        }
        columnField_.append(found);
    }
}

const SqlPageModel::Page* SqlPageModel::page(int number) const
{
    auto it = pages_.find(number);
    if (it != pages_.end()) {
        recent_.removeOne(number);
        recent_.append(number);
        return &it.value();
    }
    Page fresh;
    if (!readPage(number, fresh))
        return nullptr;
    while (pages_.size() >= maxPages() && !recent_.isEmpty())
        pages_.remove(recent_.takeFirst());
    recent_.append(number);
    return &pages_.insert(number, std::move(fresh)).value();
}

bool SqlPageModel::readPage(int number, Page& result) const
{
    const int first = number * pageSize();
    const int size = std::min(pageSize(), rowCount_ - first);
    if (size <= 0)
        return false;
    const QString base = wrapped(statement_);
    const QString key = keyField_;
    if (reading_ == Reading::KeysFirst) {
        // The page's own keys: each row is read by its key, however far apart the hits lie.
        QVariantList pageKeys;
        for (int i = first; i < first + size; ++i)
            pageKeys.append(keys_.at(i));
        QString marks = QStringLiteral("?");
        marks += QStringLiteral(",?").repeated(size - 1);
        return runPageQuery(QStringLiteral("%1 WHERE %2 IN (%3) ORDER BY %2").arg(base, key, marks), pageKeys, false,
                            result);
    }
    // A neighbour in the cache gives the key to continue from; no rows are skipped.
    auto before = pages_.constFind(number - 1);
    if (before != pages_.constEnd() && !before->rows.isEmpty()) {
        const QVariant last = before->rows.last().at(keyIndex_);
        return runPageQuery(QStringLiteral("%1 WHERE %2 > ? ORDER BY %2 LIMIT %3").arg(base, key).arg(size),
                            {last}, false, result);
    }
    auto after = pages_.constFind(number + 1);
    if (after != pages_.constEnd() && !after->rows.isEmpty()) {
        const QVariant next = after->rows.first().at(keyIndex_);
        return runPageQuery(QStringLiteral("%1 WHERE %2 < ? ORDER BY %2 DESC LIMIT %3").arg(base, key).arg(size),
                            {next}, true, result);
    }
    const int fromEnd = rowCount_ - first - size;
    if (first <= fromEnd) {
        return runPageQuery(QStringLiteral("%1 ORDER BY %2 LIMIT %3 OFFSET %4").arg(base, key).arg(size).arg(first),
                            {}, false, result);
    }
    return runPageQuery(QStringLiteral("%1 ORDER BY %2 DESC LIMIT %3 OFFSET %4").arg(base, key).arg(size).arg(fromEnd),
                        {}, true, result);
}

bool SqlPageModel::runPageQuery(const QString& sql, const QVariantList& values, bool reversed,
                                Page& result) const
{
    ++pageReads_;
    QSqlQuery query(database_);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return false;
    for (const QVariant& v : values)
        query.addBindValue(v);
    if (!query.exec())
        return false;
    const int fieldCount = query.record().count();
    while (query.next()) {
        Row row(fieldCount);
        for (int i = 0; i < fieldCount; ++i)
            row[i] = query.value(i);
        result.rows.append(std::move(row));
    }
    if (reversed)
        std::reverse(result.rows.begin(), result.rows.end());
    return true;
}

const SqlPageModel::Row* SqlPageModel::rowAt(int row) const
{
    if (row < 0 || row >= rowCount_)
        return nullptr;
    const Page* p = page(row / pageSize());
    const int inPage = row % pageSize();
    if (!p || inPage >= p->rows.size())
        return nullptr;
    return &p->rows.at(inPage);
}

QSqlRecord SqlPageModel::record(int row) const
{
    const Row* r = rowAt(row);
    if (!r)
        return {};
    QSqlRecord result = fields_;
    for (int i = 0; i < result.count() && i < r->size(); ++i)
        result.setValue(i, r->at(i));
    return result;
}

QVariant SqlPageModel::value(int row, const QString& fieldName) const
{
    const int index = fields_.indexOf(fieldName);
    const Row* r = rowAt(row);
    return (r && index >= 0 && index < r->size()) ? r->at(index) : QVariant();
}

QVariant SqlPageModel::key(int row) const
{
    const Row* r = rowAt(row);
    return r ? r->at(keyIndex_) : QVariant();
}

int SqlPageModel::rowOfKey(const QVariant& keyValue) const
{
    if (statement_.isEmpty() || !keyValue.isValid())
        return -1;
    if (reading_ == Reading::KeysFirst) {
        const auto at = std::lower_bound(keys_.cbegin(), keys_.cend(), keyValue.toLongLong());
        return std::min(int(at - keys_.cbegin()), rowCount_ - 1);
    }
    QSqlQuery query(database_);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM (%1) AS q WHERE %2 < ?").arg(statement_, keyField_));
    query.addBindValue(keyValue);
    if (!query.exec() || !query.next())
        return -1;
    return std::min(query.value(0).toInt(), rowCount_ - 1);
}

bool SqlPageModel::isNumberField(int fieldIndex, const QVariant& value) const
{
    if (fieldIndex < 1)
        return false;
    return fields_.field(fieldIndex).metaType().id() == QMetaType::Double
        || value.typeId() == QMetaType::Double;
}

QString SqlPageModel::displayText(int fieldIndex, const QVariant& value) const
{
    if (fieldIndex < 0 || value.isNull())
        return {};
    if (isNumberField(fieldIndex, value))
        return DisplayFormat::apply(value.toDouble(), DisplayFormat::journalNumber());
    const QDate date = asDate(value);
    if (date.isValid())
        return date.toString(QStringLiteral("dd.MM.yyyy"));
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return value.toString();
}

QString SqlPageModel::cellText(int row, int column) const
{
    const Row* r = rowAt(row);
    if (!r || column < 0 || column >= columnField_.size())
        return {};
    const int fieldIndex = columnField_[column];
    return fieldIndex < 0 || fieldIndex >= r->size() ? QString() : displayText(fieldIndex, r->at(fieldIndex));
}

int SqlPageModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rowCount_;
}

int SqlPageModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_.count();
}

QVariant SqlPageModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), index.column());
    case Qt::EditRole: {
        const Row* r = rowAt(index.row());
        const int fieldIndex = columnField_.value(index.column(), -1);
        if (!r || fieldIndex < 0)
            return {};
        const QVariant v = r->at(fieldIndex);
        return v.typeId() == QMetaType::Double ? QVariant(displayText(fieldIndex, v)) : v;
    }
    case Qt::TextAlignmentRole: {
        const Row* r = rowAt(index.row());
        const int fieldIndex = columnField_.value(index.column(), -1);
        if (r && fieldIndex >= 0 && isNumberField(fieldIndex, r->at(fieldIndex)))
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    case Qt::ForegroundRole: {
        if (exportIndex_ < 0)
            return {};
        const Row* r = rowAt(index.row());
        if (r && r->at(exportIndex_).toBool())
            return QBrush(QColor(0xC0, 0xC0, 0xC0));
        return {};
    }
    case Qt::BackgroundRole:
        return QBrush(index.row() % 2 == 0 ? QColor(0xE9, 0xE9, 0xE9) : QColor(Qt::white));
    default:
        return {};
    }
}

QVariant SqlPageModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columns_.count())
        return columns_.at(section).title;
    // The row header is the grid's indicator column: no row numbers, which a journal of a
    // million bookings would not fit.
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return QString();
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags SqlPageModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (editable_ && !editTable_.isEmpty() && columnField_.value(index.column(), -1) > 0)
        f |= Qt::ItemIsEditable;
    return f;
}

bool SqlPageModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int fieldIndex = columnField_.value(index.column(), -1);
    const QVariant keyValue = key(index.row());
    if (fieldIndex < 0 || !keyValue.isValid())
        return false;
    QVariant stored = value;
    const QVariant old = rowAt(index.row())->at(fieldIndex);
    if (isNumberField(fieldIndex, old) && value.typeId() == QMetaType::QString)
        stored = numberReader_(value.toString());
    else if (asDate(old).isValid() && value.typeId() == QMetaType::QString) {
        const QDate d = QDate::fromString(value.toString().trimmed(), QStringLiteral("dd.MM.yyyy"));
        if (!d.isValid())
            return false;
        stored = d.toString(Qt::ISODate);
    }
    QSqlQuery query(database_);
    query.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?")
                      .arg(editTable_, fields_.fieldName(fieldIndex), keyField_));
    query.addBindValue(stored);
    query.addBindValue(keyValue);
    if (!query.exec()) {
        lastError_ = query.lastError().text();
        return false;
    }
    const int number = index.row() / pageSize();
    pages_.remove(number);
    recent_.removeOne(number);
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}
