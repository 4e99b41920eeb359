#pragma once
// Read-only item model over a TQemDataSet (the result grids of the query windows): one column
// per field, titled with the field name, cells as the field's display text (German numbers,
// dd.MM.yyyy dates). Follows the dataset's signals: a re-open or re-query resets the model.
// The dataset is not owned and must outlive the model or be cleared with setDataSet(nullptr).

#include <QAbstractTableModel>
#include <QPointer>

class TQemDataSet;

class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSetModel(QObject* parent = nullptr);

    void setDataSet(TQemDataSet* dataSet);
    TQemDataSet* dataSet() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void reset();

    QPointer<TQemDataSet> dataSet_;
    QList<QMetaObject::Connection> links_;
    int rows_ = 0;
    int columns_ = 0;
};
