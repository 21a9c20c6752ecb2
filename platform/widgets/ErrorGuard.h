#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace widgets {

// How a component shows an error it caught: the application's standard error report.
using ErrorReporter = std::function<void(const QString &message)>;

// A message box with the error's message, captioned with the application's title.
ErrorReporter defaultErrorReporter(QWidget *parent);

// Runs an action from a Qt slot or event handler. Qt lets no exception pass through its
// event loop, so a database error (or any other) is caught here and shown through the
// reporter. Returns false when the action threw.
bool runGuarded(const ErrorReporter &report, const std::function<void()> &action);

} // namespace widgets
