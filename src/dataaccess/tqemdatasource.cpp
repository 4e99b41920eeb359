#include "dataaccess/tqemdatasource.h"

#include "dataaccess/tqemdataset.h"

TQemDataSource::TQemDataSource(TQemDataSet* dataSet, QObject* owner) : QObject(owner), dataSet_(dataSet) {}

TQemDataSet* TQemDataSource::DataSet() const
{
    return static_cast<TQemDataSet*>(dataSet_.data());
}

void TQemDataSource::SetDataSet(TQemDataSet* dataSet)
{
    if (dataSet_.data() == dataSet)
        return;
    dataSet_ = dataSet;
    emit dataSetChanged(dataSet);
}
