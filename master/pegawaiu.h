#pragma once

#include "MaintenanceView.h"

// Users and their privilege flags: the table EMPLOYEES in a grid ordered by name, passwords
// drawn masked, flags as check boxes; a user is found again by name after Refresh. A changed
// flag takes effect at that user's next sign-in.
class TForm1_pegawai : public MaintenanceView {
    Q_OBJECT
public:
    explicit TForm1_pegawai(QWidget *owner);

    widgets::DBGrid *grid1 = nullptr;
};
