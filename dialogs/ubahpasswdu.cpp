#include "ubahpasswdu.h"

#include "Instances.h"
#include "dmMaster.h"

#include "fb/Database.h"
#include "fb/Query.h"
#include "guard/Guard.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

namespace {

const char *const PasswordMask = "lineedit-password-character: 64;"; // '@'

QLineEdit *makePasswordEdit(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setStyleSheet(PasswordMask);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

// An SQL string literal: quoted, with every quote inside doubled.
QString sqlLiteral(const QString &value)
{
    QString quoted = value;
    quoted.replace('\'', "''");
    return '\'' + quoted + '\'';
}

void showPasswordNotChanged()
{
    QMessageBox box(QMessageBox::Warning, "Ubah Password",
                    "Password tidak diubah: password lama salah atau pemakai tidak ditemukan.", QMessageBox::Ok);
    box.exec();
}

} // namespace

TForm1_ubahPasswd::TForm1_ubahPasswd(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("Form1_ubahPasswd");
    QFont f("Tahoma");
    f.setPointSize(8);
    setFont(f);
    setFixedSize(431, 171);

    JvEdit1 = makePasswordEdit(this, "JvEdit1");
    JvEdit2 = makePasswordEdit(this, "JvEdit2");
    JvEdit3 = makePasswordEdit(this, "JvEdit3");
    JvImgBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "OK", this);
    JvImgBtn1->setObjectName("JvImgBtn1");
    JvImgBtn1->setDefault(true);
    JvImgBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), "Cancel", this);
    JvImgBtn2->setObjectName("JvImgBtn2");
    JvCheckBox1 = new QCheckBox("perlihatkan password", this);
    JvCheckBox1->setObjectName("JvCheckBox1");
    labelPemakai = new QLabel(this);
    labelPemakai->setObjectName("labelPemakai");
    labelPemakai->hide();
    auto *rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel("password lama", this), 0, 0);
    grid->addWidget(JvEdit1, 0, 1, 1, 2);
    grid->addWidget(rule, 1, 0, 1, 3);
    grid->addWidget(new QLabel("password baru", this), 2, 0);
    grid->addWidget(JvEdit2, 2, 1, 1, 2);
    grid->addWidget(new QLabel("password  baru (konfirmasi)", this), 3, 0);
    grid->addWidget(JvEdit3, 3, 1, 1, 2);
    grid->addWidget(JvCheckBox1, 4, 0);
    grid->addWidget(JvImgBtn1, 4, 1);
    grid->addWidget(JvImgBtn2, 4, 2);
    setTabOrder(JvEdit1, JvEdit2);
    setTabOrder(JvEdit2, JvEdit3);
    setTabOrder(JvEdit3, JvImgBtn1);
    setTabOrder(JvImgBtn1, JvImgBtn2);
    setTabOrder(JvImgBtn2, JvCheckBox1);

    JvTimer1 = new QTimer(this);
    JvTimer1->setObjectName("JvTimer1");
    JvTimer1->setInterval(1000);

    connect(JvTimer1, &QTimer::timeout, this, [this] { guard::guarded([&] { JvTimer1Timer(); }); });
    connect(JvCheckBox1, &QCheckBox::clicked, this, [this] { guard::guarded([&] { JvCheckBox1Click(); }); });
    connect(JvImgBtn1, &QPushButton::clicked, this, [this] { guard::guarded([&] { JvImgBtn1Click(); }); });
    connect(JvImgBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

QString TForm1_ubahPasswd::passwordUpdateStatement(const QString &newPassword, const QString &userName,
                                                   const QString &currentPassword)
{
    return QString("update EMPLOYEES set passwd = %1 where nama = %2 and passwd = %3")
        .arg(sqlLiteral(newPassword), sqlLiteral(userName), sqlLiteral(currentPassword));
}

void TForm1_ubahPasswd::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    guard::guarded([&] { FormShow(); });
}

void TForm1_ubahPasswd::FormShow()
{
    JvEdit1->clear();
    JvEdit2->clear();
    JvEdit3->clear();
    // The OK button follows the fields from the start, so a stale state from the last
    // opening cannot submit empty fields before the first tick.
    JvTimer1Timer();
    JvTimer1->start();
    setWindowTitle("Ubah Password @" + labelPemakai->text());
    JvEdit1->setFocus();
}

void TForm1_ubahPasswd::JvTimer1Timer()
{
    JvImgBtn1->setEnabled(!JvEdit2->text().isEmpty() && JvEdit2->text() == JvEdit3->text());
}

void TForm1_ubahPasswd::JvCheckBox1Click()
{
    const QLineEdit::EchoMode mode = JvCheckBox1->isChecked() ? QLineEdit::Normal : QLineEdit::Password;
    for (QLineEdit *edit : {JvEdit1, JvEdit2, JvEdit3})
        edit->setEchoMode(mode);
}

void TForm1_ubahPasswd::JvImgBtn1Click()
{
    fb::Query &q = *dataMaster->qproses;
    q.clearSql();
    q.addSql(passwordUpdateStatement(JvEdit2->text(), labelPemakai->text(), JvEdit1->text()));
    q.execute(); // a database error leaves the dialog open, after the standard error report
    const int changed = q.rowsAffected();
    dataMaster->db1.close();
    // A wrong current password changes no row: say so instead of closing as if it worked.
    if (changed == 0) {
        showPasswordNotChanged();
        return;
    }
    accept();
}

void TForm1_ubahPasswd::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TForm1_ubahPasswd::FormClose() { JvTimer1->stop(); }
