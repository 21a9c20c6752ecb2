#pragma once

#include "TestDatabase.h"
#include "fb/DataSet.h"
#include "fb/Database.h"
#include "fb/Transaction.h"
#include "widgets/DataSource.h"

#include <memory>

// One connection with a read and a write transaction, as a data holder of the program
// has them, on a test database of its own.
struct Connection {
    explicit Connection(const TestDatabase &tdb)
        : read(db, fb::TransactionParams::fromKeywords({"read", "nowait", "rec_version", "read_committed"})),
          write(db, fb::TransactionParams::fromKeywords({"write", "nowait", "concurrency"}))
    {
        db.setDatabaseName(tdb.connectionString());
        db.setUserName(TestDatabase::user());
        db.setPassword(TestDatabase::password());
    }

    fb::Database db;
    fb::Transaction read;
    fb::Transaction write;
};

// A master table's dataset (five statements, auto-commit, re-read after post) and the
// data source the controls bind to.
struct Table {
    Table(Connection &c, const QString &table, const QString &key, const QStringList &columns,
          const QString &order = {})
        : ds(c.db, c.read, c.write), source(&ds)
    {
        QStringList params, sets;
        for (const QString &col : columns) {
            params << ":" + col;
            if (col != key)
                sets << col + " = :" + col;
        }
        ds.setSelectSql("select * from " + table + (order.isEmpty() ? QString() : " order by " + order));
        ds.setInsertSql("insert into " + table + " (" + columns.join(", ") + ") values (" + params.join(", ") + ")");
        ds.setUpdateSql("update " + table + " set " + sets.join(", ") + " where " + key + " = :OLD_" + key);
        ds.setDeleteSql("delete from " + table + " where " + key + " = :OLD_" + key);
        ds.setRefreshSql("select * from " + table + " where " + key + " = :OLD_" + key);
        ds.setAutoCommit(true);
        ds.setRefreshAfterPost(true);
    }

    fb::DataSet ds;
    widgets::DataSource source;
};

inline std::unique_ptr<Table> doctors(Connection &c)
{
    return std::make_unique<Table>(c, "dokter", "NAMA", QStringList{"NAMA", "NIP", "JABATAN"}, "nama");
}

inline std::unique_ptr<Table> employees(Connection &c)
{
    return std::make_unique<Table>(c, "employees", "KODE",
                                   QStringList{"KODE", "NAMA", "PASSWD", "ADM", "MASTER", "MANAJER", "KASIR", "REPORT",
                                               "BELI", "PEMBELIAN", "PENJUALAN", "KEUANGAN", "LAPORAN", "SETTING",
                                               "BARANG", "BOX"},
                                   "kode");
}

inline std::unique_ptr<Table> healthCentres(Connection &c)
{
    return std::make_unique<Table>(c, "puskesmas", "ID_PUSKESMAS",
                                   QStringList{"ID_PUSKESMAS", "NAMA", "DESA", "KECAMATAN", "KOTA", "PROP", "ADL_AKTIF"},
                                   "id_puskesmas");
}

inline const char *threeDoctors()
{
    return "sql:insert into dokter values ('Andi', '101', 'Umum');"
           " insert into dokter values ('Budi', '102', 'Gigi');"
           " insert into dokter values ('Citra', '103', 'Anak');";
}
