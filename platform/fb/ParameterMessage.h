#pragma once

#include <QByteArray>
#include <QVariant>
#include <QVector>
#include <firebird/Interface.h>

namespace fb {

namespace client { class Status; }

// The input message of one execution. Each value goes over in the parameter's own
// type when it converts cleanly, otherwise as text for the server to convert (and to
// reject with its own message); text travels as VARCHAR sized to the value.
class ParameterMessage {
public:
    ParameterMessage() = default;
    ~ParameterMessage();
    ParameterMessage(const ParameterMessage &) = delete;
    ParameterMessage &operator=(const ParameterMessage &) = delete;

    // Errors of the client library are left in the status; bad values throw Error.
    void build(Firebird::IMessageMetadata *declared, const QVector<QVariant> &values, client::Status &status);

    Firebird::IMessageMetadata *metadata() const { return metadata_; }
    unsigned char *buffer() { return buffer_.isEmpty() ? nullptr : reinterpret_cast<unsigned char *>(buffer_.data()); }

private:
    Firebird::IMessageMetadata *metadata_ = nullptr;
    QByteArray buffer_;
};

} // namespace fb
