#pragma once

#include <QString>
#include <stdexcept>

namespace fb {

// One exception type for everything the Firebird layer reports. It carries the server's
// own message (as the client library formats it) and the first Firebird error code, so a
// caller can tell a lock conflict or a lost connection from any other failure.
class Error : public std::runtime_error {
public:
    enum class Kind {
        General,         // anything else: syntax, constraint, missing object, bad parameter name
        LockConflict,    // nowait lock or update conflict (isc_lock_conflict, isc_update_conflict, SQLSTATE 40001)
        ConnectionLost,  // network error, shutdown: the attachment is gone and was thrown away
        ConnectFailed,   // attaching failed (wrong credentials, no server, no such database)
    };

    Error(Kind kind, const QString &message, long errorCode = 0, const QString &sqlState = {});

    Kind kind() const { return kind_; }
    const QString &message() const { return message_; }
    long errorCode() const { return errorCode_; }
    const QString &sqlState() const { return sqlState_; }

private:
    Kind kind_;
    QString message_;
    long errorCode_;
    QString sqlState_;
};

} // namespace fb
