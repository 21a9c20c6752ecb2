#pragma once

#include "MaintenanceView.h"

// Clinic units: the table M_POLI in a grid with a search box, ordered by name; a unit is
// found again by its identifier after Refresh.
class TForm1_masterPoli : public MaintenanceView {
    Q_OBJECT
public:
    explicit TForm1_masterPoli(QWidget *owner);

    widgets::DBGrid *grid1 = nullptr;
};
