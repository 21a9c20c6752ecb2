#include "DatabaseLoginDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

bool DatabaseLoginDialog::askLogin(fb::ConnectionParams &params)
{
    QDialog dialog;
    dialog.setObjectName("DatabaseLogin");
    dialog.setWindowTitle("Database login");
    auto *user = new QLineEdit(params.userName, &dialog);
    user->setObjectName("UserName");
    auto *password = new QLineEdit(params.password, &dialog);
    password->setObjectName("Password");
    password->setEchoMode(QLineEdit::Password);
    auto *role = new QLineEdit(params.role, &dialog);
    role->setObjectName("Role");
    auto *buttons = new QDialogButtonBox(&dialog);
    buttons->addButton("&OK", QDialogButtonBox::AcceptRole);
    buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto *form = new QFormLayout(&dialog);
    form->addRow(new QLabel(params.databaseName, &dialog));
    form->addRow("User Name :", user);
    form->addRow("Password :", password);
    form->addRow("Role :", role);
    form->addRow(buttons);
    password->setFocus();

    if (dialog.exec() != QDialog::Accepted)
        return false;
    params.userName = user->text();
    params.password = password->text();
    params.role = role->text();
    return true;
}
