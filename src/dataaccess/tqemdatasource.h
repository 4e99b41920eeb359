#pragma once
// Link between a dataset and the grids or detail datasets that follow it (Scr_Buchung of the
// journal view points at the journal table or at the search query). Not owning.

#include <QObject>
#include <QPointer>

class TQemDataSet;

class TQemDataSource : public QObject {
    Q_OBJECT
public:
    explicit TQemDataSource(QObject* owner = nullptr) : QObject(owner) {}
    explicit TQemDataSource(TQemDataSet* dataSet, QObject* owner = nullptr);

    TQemDataSet* DataSet() const;
    void SetDataSet(TQemDataSet* dataSet);

signals:
    void dataSetChanged(TQemDataSet* dataSet);

private:
    QPointer<QObject> dataSet_;
};
