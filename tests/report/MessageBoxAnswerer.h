#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

// Answers the next modal message box with OK from a timer (the box runs its own event loop,
// so a test cannot click it from the code that opened it), keeping its title and text.
class MessageBoxAnswerer : public QObject {
    Q_OBJECT
public:
    explicit MessageBoxAnswerer(QObject *parent = nullptr);

    bool answered() const { return answered_; }
    QString title() const { return title_; }
    QString text() const { return text_; }

private:
    void poll();

    QTimer timer_;
    bool answered_ = false;
    QString title_;
    QString text_;
};
