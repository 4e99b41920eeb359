#include "grid/datasetmodel.h"

#include "dataaccess/tqemdataset.h"
#include "dataaccess/tqemfield.h"

DataSetModel::DataSetModel(QObject* parent) : QAbstractTableModel(parent) {}

void DataSetModel::setDataSet(TQemDataSet* dataSet)
{
    for (const auto& link : links_)
        disconnect(link);
    links_.clear();
    dataSet_ = dataSet;
    if (dataSet) {
        links_.append(connect(dataSet, &TQemDataSet::opened, this, &DataSetModel::reset));
        links_.append(connect(dataSet, &TQemDataSet::closed, this, &DataSetModel::reset));
        links_.append(connect(dataSet, &TQemDataSet::rowsReset, this, &DataSetModel::reset));
    }
    reset();
}

TQemDataSet* DataSetModel::dataSet() const
{
    return dataSet_;
}

void DataSetModel::reset()
{
    beginResetModel();
    const bool open = dataSet_ && dataSet_->Active();
    rows_ = open ? dataSet_->RecordCount() : 0;
    columns_ = open ? dataSet_->FieldCount() : 0;
    endResetModel();
}

int DataSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int DataSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !dataSet_ || !dataSet_->Active() || index.row() >= rows_ || index.column() >= columns_)
        return {};
    TQemField* field = dataSet_->Fields(index.column());
    if (role == Qt::DisplayRole) {
        const QVariant value = dataSet_->RowValue(index.row(), index.column());
        return field ? field->TextOf(value) : value.toString();
    }
    if (role == Qt::TextAlignmentRole && field && field->IsNumeric())
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && dataSet_ && section < columns_) {
        if (TQemField* field = dataSet_->Fields(section))
            return field->FieldName();
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}
