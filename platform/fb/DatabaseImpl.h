#pragma once

#include "Client.h"
#include "Database.h"
#include "Registry.h"

namespace fb {

struct Database::Impl {
    explicit Impl(Database &owner) : self(owner) {}

    Database &self;
    std::shared_ptr<Registry> registry = std::make_shared<Registry>();
    Firebird::IAttachment *attachment = nullptr;
    // Counts attachments, so a statement prepared on an earlier one is never reused.
    quint64 generation = 0;

    // Throws the status's error; a lost connection is thrown away first.
    void check(client::Status &status);
    [[noreturn]] void fail(client::Status &status);
    // The server is gone: every interface made from the attachment is released
    // without another call to the server, and the Database is left closed.
    void connectionLost();
    void attach(const ConnectionParams &params);
};

} // namespace fb
