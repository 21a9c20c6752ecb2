#include "zqULogin.h"

#include "Instances.h"
#include "kunciu.h"

#include "fb/Query.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

TFormLogin::TFormLogin(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("FormLogin");
    setWindowTitle("      --->> gembok");
    QFont f("MS Sans Serif");
    f.setPointSize(8);
    setFont(f);
    setFixedSize(347, 154);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName("Edit2");
    Edit2->setEchoMode(QLineEdit::Password);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), "Cancel", this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "OK", this);
    BitBtn1->setObjectName("BitBtn1");
    // Enter in the user id moves on instead of submitting, so no button is the default.
    BitBtn1->setAutoDefault(false);
    BitBtn2->setAutoDefault(false);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel("user id", this), 0, 0);
    grid->addWidget(Edit1, 0, 1, 1, 2);
    grid->addWidget(new QLabel("Password", this), 1, 0);
    grid->addWidget(Edit2, 1, 1, 1, 2);
    grid->addWidget(BitBtn2, 2, 1);
    grid->addWidget(BitBtn1, 2, 2);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, BitBtn2);
    setTabOrder(BitBtn2, BitBtn1);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    Edit1->installEventFilter(this);
    Edit2->installEventFilter(this);

    qLogin = std::make_unique<fb::Query>(db1, transaksi1);
    qLogin->setSql("select * from employees where nama=:nama and passwd=:passwd");
    FormCreate();
    Edit1->setFocus();
}

TFormLogin::~TFormLogin() = default;

void TFormLogin::FormCreate() { ApplyConnectionSettings(db1, *Form1_kunci); }

bool TFormLogin::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == Edit1)
                Edit1KeyPress();
            else if (watched == Edit2)
                Edit2KeyPress();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormLogin::Edit1KeyPress() { Edit2->setFocus(); }

void TFormLogin::Edit2KeyPress() { BitBtn1->click(); }
