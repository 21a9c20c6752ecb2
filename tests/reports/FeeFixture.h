#pragma once

#include "MessagingTestServer.h"
#include "ShellFixture.h"

#include <QStringList>

class TForm1_feeRawat;

// The single instances the fee view works with (Form1_kunci, Form111, Form1_frx,
// dataLaporan and the rest of the shell's) against a fresh database holding the sales of
// feeSalesSql(), with every standard error report recorded instead of shown.
class FeeFixture {
public:
    explicit FeeFixture(const QStringList &extraSql = {});
    ~FeeFixture();

    // A fee view made as the main window makes it, shown; deleted by the fixture. Its
    // messaging client talks to the fixture's messaging server unless another port is given.
    TForm1_feeRawat *showView(quint16 messagingPort = 0);
    void deleteView();

    ShellFixture shell;
    MessagingTestServer messaging;
    QStringList errors;
    TForm1_feeRawat *view = nullptr;
};

// Sales of March 2024, one of April 2024, one of March 2023, and two today.
QString feeSalesSql();
