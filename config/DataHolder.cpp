#include "DataHolder.h"

#include "kunciu.h"

DataHolder::DataHolder()
    : transaksi1(db1, fb::TransactionParams::fromKeywords(
                          {"read", "nowait", "rec_version", "read_committed"}))
    , transaksi2(db1, fb::TransactionParams::fromKeywords({"write", "nowait", "concurrency"}))
    , transaksi3(db1, fb::TransactionParams::fromKeywords(
                          {"write", "nowait", "rec_version", "read_committed"}))
{
}

DataHolder::~DataHolder()
{
    closeConnection();
}

void DataHolder::closeConnection() noexcept
{
    try {
        db1.close();
    } catch (...) {
    }
}

void ApplyConnectionSettings(fb::Database &db, const TForm1_kunci &kunci)
{
    if (db.isConnected())
        db.close();
    db.setConnectOnUse(false);
    db.setDatabaseName(kunci.dbhost() + QLatin1Char(':') + kunci.dbname());
    db.setUserName(kunci.dbuser());
    db.setPassword(kunci.dbpasswd());
    db.setConnectOnUse(true);
}
