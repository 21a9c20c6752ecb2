#include "GuardedApplication.h"
#include "Program.h"
#include "Resources.h"

#include "DatabaseLoginDialog.h"

#include "instance/SingleInstance.h"

#include <QMessageBox>

int main(int argc, char *argv[])
{
    GuardedApplication app(argc, argv);
    QApplication::setApplicationName("TARVEN");
    // The main window closes the program itself, only from the home view.
    QApplication::setQuitOnLastWindowClosed(true);

    // A second copy with the same file name tells the first and ends, showing nothing.
    instance::SingleInstance singleInstance(instance::SingleInstance::keyForExecutable());
    if (!singleInstance.claim())
        return 0;

    initResources();
    DatabaseLoginDialog loginPrompt;
    fb::Database::setDefaultLoginPrompt(&loginPrompt);
    Program program(QCoreApplication::applicationDirPath());
    try {
        program.createAll();
    } catch (const std::exception &e) {
        QMessageBox::critical(nullptr, "TARVEN", QString::fromLocal8Bit(e.what()));
        return 1;
    }
    return program.run(singleInstance);
}
