#pragma once

#include "DataHolder.h"

#include <QObject>
#include <memory>

namespace fb {
class Query;
}

// The report data module: its own connection and the free statement qbuka, which the fee
// view fills with the month list at run time.
class TdataLaporan : public QObject, public DataHolder {
    Q_OBJECT
public:
    explicit TdataLaporan(QObject *parent = nullptr);
    ~TdataLaporan() override;

    std::unique_ptr<fb::Query> qbuka; // free statement on transaksi3

private:
    void DataModuleCreate();
};
