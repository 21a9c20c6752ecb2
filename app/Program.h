#pragma once

#include <QString>

namespace instance {
class SingleInstance;
}

// The program's single instances: created in a fixed order, none visible, and destroyed
// in reverse order at the end.
class Program {
public:
    explicit Program(const QString &executableDir);
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // Creates the eight instances. Throws when the connection file cannot be read (the
    // caller reports it and stops).
    void createAll();
    // Sign-in and start-up; then the message loop until the main window closes.
    int run(instance::SingleInstance &singleInstance);

private:
    void registerViews();
    void destroyAll();

    QString executableDir_;
};
