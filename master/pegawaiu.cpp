#include "pegawaiu.h"

#include "Instances.h"
#include "dmMaster.h"

#include "widgets/DBNavigator.h"

using widgets::ColumnKind;
using widgets::DBNavigator;
using widgets::GridColumn;

namespace {

MaintenanceViewSettings pegawaiSettings()
{
    return {" ->> Pemakai", ":/images/pemakai.png", dataMaster->qPemakai.get(), dataMaster->dspemakai,
            {DBNavigator::First, DBNavigator::Prior, DBNavigator::Next, DBNavigator::Last, DBNavigator::Insert,
             DBNavigator::Delete, DBNavigator::Edit, DBNavigator::Post, DBNavigator::Cancel, DBNavigator::Refresh},
            "KODE",
            "NAMA"};
}

GridColumn flag(const char *field, bool visible = true) { return fieldColumn(field, ColumnKind::Flag, visible); }

// Hidden columns stay in the dataset, so the write statements keep their values.
widgets::GridColumns pegawaiColumns()
{
    return {
        fieldColumn("KODE", ColumnKind::Text, false),
        fieldColumn("NAMA"),
        fieldColumn("PASSWD", ColumnKind::Password),
        flag("ADM", false),
        flag("MASTER"),
        flag("BARANG"),
        flag("BOX"),
        flag("MANAJER"),
        flag("KASIR", false),
        flag("REPORT", false),
        flag("BELI", false),
        flag("PEMBELIAN"),
        flag("PENJUALAN"),
        flag("KEUANGAN"),
        flag("LAPORAN"),
        flag("SETTING"),
    };
}

} // namespace

TForm1_pegawai::TForm1_pegawai(QWidget *owner)
    : MaintenanceView(owner, pegawaiSettings())
{
    setObjectName("Form1_pegawai");
    grid1 = makeGrid("grid1", pegawaiColumns(), false, "nama");
    nav1->setFlat(true);
}
