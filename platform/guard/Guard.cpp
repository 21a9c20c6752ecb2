#include "Guard.h"

#include "fb/Error.h"

#include <QApplication>
#include <QMessageBox>

namespace guard {

namespace {
ErrorSink &sink()
{
    static ErrorSink s;
    return s;
}
} // namespace

void setErrorSink(ErrorSink s) { sink() = std::move(s); }

void showStandardError(const QString &message)
{
    if (sink()) {
        sink()(message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), message, QMessageBox::Ok);
    box.exec();
}

QString messageOf(const std::exception &e)
{
    if (const auto *dbError = dynamic_cast<const fb::Error *>(&e))
        return dbError->message();
    return QString::fromLocal8Bit(e.what());
}

} // namespace guard
