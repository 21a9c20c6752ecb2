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

// The statement goes before the connection it was made on.
TdataLaporan::~TdataLaporan()
{
    qbuka.reset();
    closeConnection();
}

void TdataLaporan::DataModuleCreate() { ApplyConnectionSettings(db1, *Form1_kunci); }
