#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <utility>

namespace guard {

// The application's standard error report: a message box with the error's message,
// captioned with the application title. Tests replace the sink to record messages.
using ErrorSink = std::function<void(const QString &message)>;
void setErrorSink(ErrorSink sink); // empty restores the message box
void showStandardError(const QString &message);

// The text an exception carries (the server's message for database errors).
QString messageOf(const std::exception &e);

// Runs a handler's body so that no exception leaves it: whatever it throws is shown by the
// standard error report and the program carries on. Returns false when the body threw.
template <typename Body>
bool guarded(Body &&body) noexcept
{
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const std::exception &e) {
        showStandardError(messageOf(e));
    } catch (...) {
        showStandardError(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace guard
