#pragma once

#include "DataHolder.h"

#include <QDialog>
#include <memory>

class QLineEdit;
class QPushButton;
namespace fb {
class Query;
}

// The sign-in dialog. Each attempt makes a new one, with a connection of its own that
// closes when the dialog goes.
class TFormLogin : public QDialog, public DataHolder {
    Q_OBJECT
public:
    explicit TFormLogin(QWidget *parent = nullptr);
    ~TFormLogin() override;

    QLineEdit *Edit1 = nullptr;  // user id
    QLineEdit *Edit2 = nullptr;  // password, masked
    QPushButton *BitBtn1 = nullptr; // OK
    QPushButton *BitBtn2 = nullptr; // Cancel
    std::unique_ptr<fb::Query> qLogin;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void Edit1KeyPress();
    void Edit2KeyPress();
};
