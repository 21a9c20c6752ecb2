#pragma once

#include "Program.h"
#include "TestDatabase.h"

#include <QByteArray>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

class QWidget;

// The program's single instances, made as the program makes them, against a fresh test
// database whose connection file lies in a temporary "executable folder". The session store
// lives in a data folder of its own, so no test sees what another (or the user) stored.
using Attempts = QList<QPair<QString, QString>>;

class ShellFixture {
public:
    explicit ShellFixture(const QStringList &extraSql = {});
    ~ShellFixture();

    TestDatabase db;
    QTemporaryDir exeDir;
    QTemporaryDir runtimeDir;
    QTemporaryDir dataDir;
    std::unique_ptr<Program> program;
};

// Answers the modal dialogs the shell opens while a test drives it: fills each sign-in
// dialog with the next credentials (or cancels when none are left) and dismisses message
// boxes, remembering their texts.
class ModalRobot : public QObject {
    Q_OBJECT
public:
    explicit ModalRobot(const Attempts &credentials);
    QStringList messages;
    int signInDialogs = 0;

private:
    void tick();
    Attempts credentials_;
    QTimer timer_;
};

// Writes a connection file for the database at path into dir with the installer's tool.
void writeConnectionFile(const QString &dir, const QString &databasePath);
