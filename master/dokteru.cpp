#include "dokteru.h"

#include "Instances.h"
#include "dmMaster.h"

using widgets::DBNavigator;

namespace {

MaintenanceViewSettings dokterSettings()
{
    return {" ->> Dokter", ":/images/dokter.png", dataMaster->qDokter.get(), dataMaster->dsDokter,
            {DBNavigator::Insert, DBNavigator::Edit, DBNavigator::Post, DBNavigator::Cancel, DBNavigator::Refresh},
            {},
            {}};
}

} // namespace

TForm1_dokter::TForm1_dokter(QWidget *owner)
    : MaintenanceView(owner, dokterSettings())
{
    setObjectName("Form1_dokter");
    // No column list: one column per field of the select, titled with the field name.
    grid1 = makeGrid("grid1", {}, true, "nama");
}
