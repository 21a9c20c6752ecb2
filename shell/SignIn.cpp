#include "SignIn.h"

#include "zqULogin.h"
#include "zqu.h"

#include "Instances.h"
#include "zqu111.h"

#include "fb/Query.h"

#include <QLineEdit>
#include <QMessageBox>
#include <memory>

namespace {

const int MaxAttempts = 3;

void showWrongCredentials()
{
    QMessageBox box(QMessageBox::Critical, "Salah", "User ID atau Password Salah", QMessageBox::Ok);
    box.exec();
}

// Runs the dialog's query; true when a row matched, with its values taken over.
bool checkCredentials(TFormLogin &dialog, TForm1_zq &mainWindow)
{
    fb::Query &q = *dialog.qLogin;
    q.close();
    q.setParam("nama", dialog.Edit1->text());
    q.setParam("passwd", dialog.Edit2->text());
    q.execute();
    if (q.rowCount() == 0)
        return false;
    Form111->storageUmum.setValue("pegawai", q.fieldText("NAMA"));
    // A null privilege reads as 0.
    mainWindow.masterPrivilege = q.fieldValue("MASTER").toInt();
    mainWindow.settingPrivilege = q.fieldValue("SETTING").toInt();
    return true;
}

} // namespace

bool signIn(TForm1_zq &mainWindow)
{
    for (int attempt = 1; attempt <= MaxAttempts; ++attempt) {
        auto dialog = std::make_unique<TFormLogin>();
        if (dialog->exec() != QDialog::Accepted)
            return false;
        if (checkCredentials(*dialog, mainWindow))
            return true;
        showWrongCredentials();
    }
    return false;
}
