#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// Change of the signed-in user's password. Created once and reused; the main window puts
// the user's name into labelPemakai before each opening.
class TForm1_ubahPasswd : public QDialog {
    Q_OBJECT
public:
    explicit TForm1_ubahPasswd(QWidget *parent = nullptr);

    QLineEdit *JvEdit1 = nullptr; // current password
    QLineEdit *JvEdit2 = nullptr; // new password
    QLineEdit *JvEdit3 = nullptr; // new password again
    QPushButton *JvImgBtn1 = nullptr; // OK
    QPushButton *JvImgBtn2 = nullptr; // Cancel
    QCheckBox *JvCheckBox1 = nullptr; // show the passwords
    QLabel *labelPemakai = nullptr;   // hidden: whose password changes
    QTimer *JvTimer1 = nullptr;

    // The update statement for the three values, each an SQL string literal.
    static QString passwordUpdateStatement(const QString &newPassword, const QString &userName,
                                           const QString &currentPassword);

    void FormShow();
    void JvTimer1Timer();
    void JvCheckBox1Click();
    void JvImgBtn1Click();
    void FormClose();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
};
