#pragma once

#include "DataHolder.h"

#include <QObject>
#include <memory>

namespace fb {
class DataSet;
class Query;
}
namespace widgets {
class DataSource;
}

// The master data module: its own connection and the datasets over the master tables,
// each driven by its five statements. Every post and delete is committed at once.
class TdataMaster : public QObject, public DataHolder {
    Q_OBJECT
public:
    explicit TdataMaster(QObject *parent = nullptr);
    ~TdataMaster() override;

    std::unique_ptr<fb::Query> qproses; // free statement, write transaction, commits after each run
    std::unique_ptr<fb::Query> qbuka;   // free statement on transaksi3; nothing here runs it
    std::unique_ptr<fb::DataSet> qPemakai;
    std::unique_ptr<fb::DataSet> qrawat;
    std::unique_ptr<fb::DataSet> qPuskesmas;
    std::unique_ptr<fb::DataSet> qDokter;
    std::unique_ptr<fb::DataSet> qMasterPoli;

    // The data sources the views' grids and navigators bind to, one per dataset.
    widgets::DataSource *dspemakai = nullptr;
    widgets::DataSource *dsrawat = nullptr;
    widgets::DataSource *dsPuskesmas = nullptr;
    widgets::DataSource *dsDokter = nullptr;
    widgets::DataSource *dsMasterPoli = nullptr;

private:
    void DataModuleCreate();
    void qrawatNewRecord(fb::DataSet &dataSet);
};
