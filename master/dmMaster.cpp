#include "dmMaster.h"

#include "Instances.h"
#include "kunciu.h"

#include "fb/DataSet.h"
#include "fb/Query.h"
#include "widgets/DataSource.h"

namespace {

struct DataSetStatements {
    const char *select;
    const char *insert;
    const char *update;
    const char *remove;
    const char *refresh;
    bool refreshAfterDelete;
};

const DataSetStatements PemakaiStatements{
    "select * from employees order by upper(nama)",
    "INSERT INTO EMPLOYEES( KODE, NAMA, PASSWD, ADM, MASTER, MANAJER, KASIR, REPORT, BELI, PEMBELIAN, "
    "PENJUALAN, KEUANGAN, LAPORAN, SETTING, BARANG, BOX ) VALUES( :KODE, :NAMA, :PASSWD, :ADM, :MASTER, "
    ":MANAJER, :KASIR, :REPORT, :BELI, :PEMBELIAN, :PENJUALAN, :KEUANGAN, :LAPORAN, :SETTING, :BARANG, :BOX )",
    "UPDATE EMPLOYEES SET NAMA = :NAMA, PASSWD = :PASSWD, ADM = :ADM, MASTER = :MASTER, MANAJER = :MANAJER, "
    "KASIR = :KASIR, REPORT = :REPORT, BELI = :BELI, PEMBELIAN = :PEMBELIAN, PENJUALAN = :PENJUALAN, "
    "KEUANGAN = :KEUANGAN, LAPORAN = :LAPORAN, SETTING = :SETTING, BARANG = :BARANG, BOX = :BOX "
    "WHERE KODE = :OLD_KODE",
    "DELETE FROM EMPLOYEES WHERE KODE = :OLD_KODE",
    "select * from employees WHERE EMPLOYEES.KODE = :OLD_KODE",
    false,
};

const DataSetStatements RawatStatements{
    "select * from mantain_fee where idx = 1",
    "insert into mantain_fee (DIPAKE, FEE) values (:DIPAKE, :FEE)",
    "update mantain_fee set DIPAKE = :DIPAKE, FEE = :FEE where IDX = :OLD_IDX",
    "delete from mantain_fee where IDX = :OLD_IDX",
    "Select FEE, DIPAKE, IDX, FEE_RAWAT0 from mantain_fee where IDX = :IDX",
    false,
};

const DataSetStatements PuskesmasStatements{
    "select * from puskesmas",
    "INSERT INTO PUSKESMAS( ID_PUSKESMAS, NAMA, DESA, KECAMATAN, KOTA, PROP, ADL_AKTIF ) "
    "VALUES( :ID_PUSKESMAS, :NAMA, :DESA, :KECAMATAN, :KOTA, :PROP, :ADL_AKTIF )",
    "UPDATE PUSKESMAS SET NAMA = :NAMA, DESA = :DESA, KECAMATAN = :KECAMATAN, KOTA = :KOTA, PROP = :PROP, "
    "ADL_AKTIF = :ADL_AKTIF WHERE ID_PUSKESMAS = :OLD_ID_PUSKESMAS",
    "DELETE FROM PUSKESMAS WHERE ID_PUSKESMAS = :OLD_ID_PUSKESMAS",
    "select * from puskesmas WHERE PUSKESMAS.ID_PUSKESMAS = :OLD_ID_PUSKESMAS",
    true,
};

const DataSetStatements DokterStatements{
    "select * from dokter",
    "INSERT INTO DOKTER( NAMA, NIP, JABATAN ) VALUES( :NAMA, :NIP, :JABATAN )",
    "UPDATE DOKTER SET NIP = :NIP, JABATAN = :JABATAN WHERE NAMA = :OLD_NAMA",
    "DELETE FROM DOKTER WHERE NAMA = :OLD_NAMA",
    "select * from dokter WHERE DOKTER.NAMA = :OLD_NAMA",
    true,
};

const DataSetStatements MasterPoliStatements{
    "select * from m_poli order by upper(poli)",
    "INSERT INTO M_POLI( ID_POLI, POLI ) VALUES( 0, :POLI )",
    "UPDATE M_POLI SET POLI = :POLI WHERE ID_POLI = :OLD_ID_POLI",
    "DELETE FROM M_POLI WHERE ID_POLI = :OLD_ID_POLI",
    "select * from m_poli WHERE M_POLI.ID_POLI = :OLD_ID_POLI",
    true,
};

// Rows are read in transaksi1 and written in transaksi2; every change is committed at once
// and the row read again, so the grid shows what the database stored.
std::unique_ptr<fb::DataSet> makeDataSet(DataHolder &holder, const char *name, const DataSetStatements &s)
{
    auto ds = std::make_unique<fb::DataSet>(holder.db1, holder.transaksi1, holder.transaksi2);
    ds->setObjectName(name);
    ds->setSelectSql(s.select);
    ds->setInsertSql(s.insert);
    ds->setUpdateSql(s.update);
    ds->setDeleteSql(s.remove);
    ds->setRefreshSql(s.refresh);
    ds->setAutoCommit(true);
    ds->setRefreshAfterPost(true);
    ds->setRefreshAfterDelete(s.refreshAfterDelete);
    return ds;
}

widgets::DataSource *makeDataSource(QObject *owner, const char *name, fb::DataSet &dataSet)
{
    auto *source = new widgets::DataSource(&dataSet, owner);
    source->setObjectName(name);
    return source;
}

} // namespace

TdataMaster::TdataMaster(QObject *parent)
    : QObject(parent)
{
    setObjectName("dataMaster");
    qproses = std::make_unique<fb::Query>(db1, transaksi2);
    qproses->setAutoCommit(true);
    qbuka = std::make_unique<fb::Query>(db1, transaksi3);
    qPemakai = makeDataSet(*this, "qPemakai", PemakaiStatements);
    qrawat = makeDataSet(*this, "qrawat", RawatStatements);
    qrawat->setOnNewRecord([this](fb::DataSet &ds) { qrawatNewRecord(ds); });
    qPuskesmas = makeDataSet(*this, "qPuskesmas", PuskesmasStatements);
    qDokter = makeDataSet(*this, "qDokter", DokterStatements);
    qMasterPoli = makeDataSet(*this, "qMasterPoli", MasterPoliStatements);
    dspemakai = makeDataSource(this, "dspemakai", *qPemakai);
    dsrawat = makeDataSource(this, "dsrawat", *qrawat);
    dsPuskesmas = makeDataSource(this, "dsPuskesmas", *qPuskesmas);
    dsDokter = makeDataSource(this, "dsDokter", *qDokter);
    dsMasterPoli = makeDataSource(this, "dsMasterPoli", *qMasterPoli);
    DataModuleCreate();
}

// The datasets go first (members before bases); the data holder then closes the connection.
TdataMaster::~TdataMaster() = default;

void TdataMaster::DataModuleCreate() { ApplyConnectionSettings(db1, *Form1_kunci); }

void TdataMaster::qrawatNewRecord(fb::DataSet &dataSet) { dataSet.setFieldValue("DIPAKE", 0); }
