#include "ShellFixture.h"

#include "About.h"
#include "Instances.h"
#include "dmMaster.h"
#include "kunciu.h"
#include "ubahpasswdu.h"
#include "zqULogin.h"
#include "zqu.h"
#include "zqu111.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <stdexcept>

void writeConnectionFile(const QString &dir, const QString &databasePath)
{
    QProcess p;
    p.start(TARVEN_CONNFILE_BINARY,
            {"--host", TestDatabase::host(), "--database", databasePath, "--user", TestDatabase::user(), "--password",
             TestDatabase::password(), "--institution", "Apotek Uji", "--address", "Jl. Uji No. 2", "--output-dir",
             dir});
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
        throw std::runtime_error("tarven-connfile failed: " + p.readAllStandardError().toStdString());
}

ShellFixture::ShellFixture(const QStringList &extraSql)
    : db(extraSql)
{
    qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
    writeConnectionFile(exeDir.path(), db.path());
    Form1_zq = new TForm1_zq;
    Form1_kunci = new TForm1_kunci(exeDir.path());
    Form1_kunci->FormCreate();
    Form111 = new TForm111(*Form1_kunci, exeDir.path());
    Form111->FormCreate();
    Form1_ubahPasswd = new TForm1_ubahPasswd;
    AboutBox = new TAboutBox;
    dataMaster = new TdataMaster;
}

ShellFixture::~ShellFixture()
{
    delete dataMaster;
    dataMaster = nullptr;
    delete AboutBox;
    AboutBox = nullptr;
    delete Form1_ubahPasswd;
    Form1_ubahPasswd = nullptr;
    delete Form111;
    Form111 = nullptr;
    delete Form1_kunci;
    Form1_kunci = nullptr;
    delete Form1_zq;
    Form1_zq = nullptr;
}

ModalRobot::ModalRobot(const Attempts &credentials)
    : credentials_(credentials)
{
    connect(&timer_, &QTimer::timeout, this, &ModalRobot::tick);
    timer_.start(30);
}

void ModalRobot::tick()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (auto *login = qobject_cast<TFormLogin *>(modal)) {
        ++signInDialogs;
        if (credentials_.isEmpty()) {
            login->BitBtn2->click();
            return;
        }
        const auto [user, password] = credentials_.takeFirst();
        login->Edit1->setText(user);
        login->Edit2->setText(password);
        login->BitBtn1->click();
    } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        messages << box->windowTitle() + ": " + box->text();
        box->accept();
    }
}
