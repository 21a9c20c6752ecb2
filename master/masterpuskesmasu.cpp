#include "masterpuskesmasu.h"

#include "Instances.h"
#include "dmMaster.h"

using widgets::ColumnKind;
using widgets::DBNavigator;

namespace {

MaintenanceViewSettings puskesmasSettings()
{
    return {" ->> MASTER PUSKESMAS", ":/images/puskesmas.png", dataMaster->qPuskesmas.get(), dataMaster->dsPuskesmas,
            {DBNavigator::Edit, DBNavigator::Post, DBNavigator::Cancel, DBNavigator::Refresh},
            {},
            {}};
}

} // namespace

TForm1_masterPuskesmas::TForm1_masterPuskesmas(QWidget *owner)
    : MaintenanceView(owner, puskesmasSettings())
{
    setObjectName("Form1_masterPuskesmas");
    DBGrid1 = makeVerticalGrid("DBGrid1", {fieldColumn("ID_PUSKESMAS"), fieldColumn("NAMA"), fieldColumn("DESA"),
                                           fieldColumn("KECAMATAN"), fieldColumn("KOTA"), fieldColumn("PROP"),
                                           fieldColumn("ADL_AKTIF", ColumnKind::Flag)});
}
