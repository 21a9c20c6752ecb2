#pragma once

#include "MaintenanceView.h"

// Health centres: one record of PUSKESMAS at a time in a vertical grid that accepts typing
// as soon as the view opens. The navigator has no buttons to move between records, so the
// record shown is always the first one the select returns.
class TForm1_masterPuskesmas : public MaintenanceView {
    Q_OBJECT
public:
    explicit TForm1_masterPuskesmas(QWidget *owner);

    widgets::DBVerticalGrid *DBGrid1 = nullptr;
};
