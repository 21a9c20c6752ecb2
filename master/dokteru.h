#pragma once

#include "MaintenanceView.h"

// Doctors: the table DOKTER in a grid with a search box; a doctor is found again by name
// after Refresh. The navigator offers no Delete: Ctrl+Delete in the grid is the only way.
class TForm1_dokter : public MaintenanceView {
    Q_OBJECT
public:
    explicit TForm1_dokter(QWidget *owner);

    widgets::DBGrid *grid1 = nullptr;
};
