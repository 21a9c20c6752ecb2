#pragma once

#include <QApplication>

// The application object. Every handler guards its own body; this is the last net for an
// exception that would otherwise cross the event loop and end the program.
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override;
};
