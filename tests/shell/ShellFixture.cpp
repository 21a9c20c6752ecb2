#include "ShellFixture.h"

#include "zqULogin.h"
#include "zqu.h"

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
    qputenv("XDG_DATA_HOME", dataDir.path().toLocal8Bit());
    writeConnectionFile(exeDir.path(), db.path());
    program = std::make_unique<Program>(exeDir.path());
    program->createAll();
}

// The instances go, in reverse order, before the test database is dropped.
ShellFixture::~ShellFixture() { program.reset(); }

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
