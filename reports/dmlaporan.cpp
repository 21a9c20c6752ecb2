#include "dmlaporan.h"

#include "Instances.h"
#include "kunciu.h"

#include "fb/Query.h"

TdataLaporan::TdataLaporan(QObject *parent)
    : QObject(parent)
    , qbuka(std::make_unique<fb::Query>(db1, transaksi3))
{
    setObjectName("dataLaporan");
    DataModuleCreate();
}

// The statement goes first (members before bases); the data holder then closes the connection.
TdataLaporan::~TdataLaporan() = default;

void TdataLaporan::DataModuleCreate() { ApplyConnectionSettings(db1, *Form1_kunci); }
