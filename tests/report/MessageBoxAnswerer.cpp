#include "MessageBoxAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

MessageBoxAnswerer::MessageBoxAnswerer(QObject *parent) : QObject(parent)
{
    connect(&timer_, &QTimer::timeout, this, &MessageBoxAnswerer::poll);
    timer_.start(10);
}

void MessageBoxAnswerer::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box)
        return;
    timer_.stop();
    title_ = box->windowTitle();
    text_ = box->text();
    box->button(QMessageBox::Ok)->click();
    answered_ = true;
}
