#pragma once

#include <QString>
#include <stdexcept>

namespace report {

// A fault in a layout or its data met while a report is prepared: an unknown field, an
// expression that cannot be read, a value a format does not fit. Preparation collects
// these and carries on.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString &message() const { return message_; }

private:
    QString message_;
};

} // namespace report
