#include "DataSource.h"

namespace widgets {

DataSource::DataSource(QObject *parent)
    : QObject(parent)
{
}

DataSource::DataSource(fb::DataSet *dataSet, QObject *parent)
    : QObject(parent)
{
    setDataSet(dataSet);
}

void DataSource::setDataSet(fb::DataSet *dataSet)
{
    if (dataSet_ == dataSet)
        return;
    if (dataSet_)
        disconnect(dataSet_, nullptr, this, nullptr);
    dataSet_ = dataSet;
    if (dataSet) {
        using fb::DataSet;
        connect(dataSet, &DataSet::stateChanged, this, &DataSource::stateChanged);
        connect(dataSet, &DataSet::currentRowChanged, this, &DataSource::currentRowChanged);
        connect(dataSet, &DataSet::rowsReset, this, &DataSource::rowsReset);
        connect(dataSet, &DataSet::rowChanged, this, &DataSource::rowChanged);
        connect(dataSet, &DataSet::rowInserted, this, &DataSource::rowInserted);
        connect(dataSet, &DataSet::rowRemoved, this, &DataSource::rowRemoved);
        // Opening and closing also change what the controls may do.
        connect(dataSet, &DataSet::opened, this, [this] { emit stateChanged(state()); });
        connect(dataSet, &DataSet::closed, this, [this] { emit stateChanged(state()); });
        connect(dataSet, &QObject::destroyed, this, &DataSource::dataSetChanged);
    }
    emit dataSetChanged();
}

fb::DataSet::State DataSource::state() const
{
    return dataSet_ ? dataSet_->state() : fb::DataSet::State::Inactive;
}

} // namespace widgets
