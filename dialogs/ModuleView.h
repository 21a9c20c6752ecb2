#pragma once

#include <QByteArray>
#include <QWidget>

// A view hosted in the main window's panel, one at a time, created per command number.
// FormShow runs when the main window shows it. A view asks for another view by sending a
// message through the main window's command pipe (sendThroughPipe); the main window
// connects that signal when it hosts the view, so views know nothing of the main window.
class ModuleView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual void FormShow() {}

signals:
    void sendThroughPipe(const QByteArray &message);
};
