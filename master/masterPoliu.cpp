#include "masterPoliu.h"

#include "Instances.h"
#include "dmMaster.h"

using widgets::DBNavigator;

namespace {

MaintenanceViewSettings masterPoliSettings()
{
    return {" ->> Master Poli", ":/images/poli.png", dataMaster->qMasterPoli.get(), dataMaster->dsMasterPoli,
            {DBNavigator::Insert, DBNavigator::Delete, DBNavigator::Edit, DBNavigator::Post, DBNavigator::Cancel,
             DBNavigator::Refresh},
            "ID_POLI",
            "POLI"};
}

} // namespace

TForm1_masterPoli::TForm1_masterPoli(QWidget *owner)
    : MaintenanceView(owner, masterPoliSettings())
{
    setObjectName("Form1_masterPoli");
    grid1 = makeGrid("grid1", {fieldColumn("ID_POLI", widgets::ColumnKind::Text, false), fieldColumn("POLI")}, true, "id_poli");
}
