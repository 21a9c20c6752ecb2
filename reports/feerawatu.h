#pragma once

#include "ModuleView.h"

#include <memory>

class FeeGridModel;
class FormStorage;
class QComboBox;
class QSpinBox;
class QTableView;
class QToolButton;

namespace messaging {
class TcpMessagingClient;
}

// The monthly maintenance-fee view: per day of the chosen month, the number of sales and
// the sum of their application fee, printable as a statement.
class TForm1_feeRawat : public ModuleView {
    Q_OBJECT
public:
    static constexpr quint16 messagingPort = 15754;

    explicit TForm1_feeRawat(QWidget *parent = nullptr);
    // Keeps the grid's column layout in the session store and leaves the room.
    ~TForm1_feeRawat() override;

    void FormShow() override;

    // The month number the reload sends: the month box's item matching its text, from 1;
    // 0 when the typed text names no month.
    int selectedMonth() const;

    bool siap = false; // ready: changes of year or month reload only once this is set

    QSpinBox *JvSpinEdit1 = nullptr;   // year
    QComboBox *JvComboBox1 = nullptr;  // month name
    QTableView *grid1 = nullptr;
    QToolButton *btn_cetak = nullptr;
    QToolButton *btn_close = nullptr;
    messaging::TcpMessagingClient *ctcp = nullptr;
    std::unique_ptr<FormStorage> JvFormStorage1;

public slots:
    void JvSpinEdit1Change();
    void JvComboBox1Change();
    void btn_cetakClick();
    void btn_closeClick();
    void FormClose();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    QWidget *buildTitleStrip();
    QWidget *buildButtonColumn();
    QWidget *buildMainArea();
    void keepGridLayout();
    void isiPeriode();
    void bukaData();
    void openPeriodData(); // the reload without setting siap

    FeeGridModel *gridModel_ = nullptr;
};
