#pragma once

#include "fb/Database.h"
#include "fb/Transaction.h"

class TForm1_kunci;

// The connection and the three transactions every data holder owns. Nothing connects
// here: statements and datasets connect on use.
class DataHolder {
public:
    DataHolder();
    // Closes the connection, rolling back what was not committed.
    virtual ~DataHolder();
    DataHolder(const DataHolder &) = delete;
    DataHolder &operator=(const DataHolder &) = delete;

    // Closes db1 with rollback. An error (a connection the server already dropped has
    // nothing left to roll back) is swallowed: this runs while holders are destroyed.
    void closeConnection() noexcept;

    fb::Database db1;
    fb::Transaction transaksi1; // read, nowait, rec_version, read_committed
    fb::Transaction transaksi2; // write, nowait, concurrency
    fb::Transaction transaksi3; // write, nowait, rec_version, read_committed
};

// Configures a holder's connection from the connection settings: closes it when connected
// (rolling back its open work), names the database host + ":" + database, sets user and
// password. Never connects; the connection opens on its next use. Each holder runs this
// once, first thing at its creation.
void ApplyConnectionSettings(fb::Database &db, const TForm1_kunci &kunci);
