#pragma once

#include "fb/DataSet.h"

#include <QObject>
#include <QPointer>

namespace widgets {

// Binds one dataset to any number of controls. The controls connect to the source once;
// the source passes the dataset's signals on, so the dataset can be swapped (or destroyed)
// without the controls noticing anything but dataSetChanged().
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(QObject *parent = nullptr);
    explicit DataSource(fb::DataSet *dataSet, QObject *parent = nullptr);

    void setDataSet(fb::DataSet *dataSet);
    fb::DataSet *dataSet() const { return dataSet_.data(); }
    bool isActive() const { return dataSet_ && dataSet_->isOpen(); }
    // Inactive when there is no dataset.
    fb::DataSet::State state() const;

    // Before an action on the dataset (post, move, refresh), the controls write what is
    // typed in their open editors into the record; before a cancel they drop it.
    void updateRecord() { emit updateRecordRequested(); }
    void discardPendingEdits() { emit discardRequested(); }

signals:
    void updateRecordRequested();
    void discardRequested();
    void dataSetChanged();
    void stateChanged(fb::DataSet::State state);
    void currentRowChanged(int row);
    void rowsReset();
    void rowChanged(int row);
    void rowInserted(int row);
    void rowRemoved(int row);

private:
    QPointer<fb::DataSet> dataSet_;
};

} // namespace widgets
