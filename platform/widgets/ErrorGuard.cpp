#include "ErrorGuard.h"

#include "fb/Error.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <exception>

namespace widgets {

ErrorReporter defaultErrorReporter(QWidget *parent)
{
    QPointer<QWidget> owner(parent);
    return [owner](const QString &message) {
        QMessageBox::critical(owner.data(), QGuiApplication::applicationDisplayName(), message);
    };
}

bool runGuarded(const ErrorReporter &report, const std::function<void()> &action)
{
    QString message;
    try {
        action();
        return true;
    } catch (const fb::Error &e) {
        message = e.message();
    } catch (const std::exception &e) {
        message = QString::fromLocal8Bit(e.what());
    } catch (...) {
        message = QStringLiteral("Unknown error");
    }
    if (report)
        report(message);
    return false;
}

} // namespace widgets
