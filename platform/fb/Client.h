#pragma once

#include "Error.h"

#include <firebird/Interface.h>

namespace fb::client {

// The process-wide entry points of the client library.
Firebird::IMaster *master();
Firebird::IUtil *util();
Firebird::IProvider *provider();

// A status vector owned for one call sequence. Errors are copied into an Error before
// the status is reused or disposed.
class Status {
public:
    Status();
    ~Status();
    Status(const Status &) = delete;
    Status &operator=(const Status &) = delete;

    Firebird::CheckStatusWrapper *get() { return &wrapper_; }
    bool failed() const;
    // The error now held, classified from its codes and SQLSTATE.
    Error toError() const;
    void clear() { wrapper_.init(); }

private:
    Firebird::IStatus *status_;
    Firebird::CheckStatusWrapper wrapper_;
};

// Drops one reference to an interface on a path where close/commit/free did not run.
template <class T> void releaseRef(T *&ref)
{
    if (ref) {
        ref->release();
        ref = nullptr;
    }
}

// Holds a reference for the length of a call sequence; releases it unless taken over.
template <class T> class Ref {
public:
    explicit Ref(T *p = nullptr) : p_(p) {}
    ~Ref() { releaseRef(p_); }
    Ref(const Ref &) = delete;
    Ref &operator=(const Ref &) = delete;
    T *get() const { return p_; }
    T *operator->() const { return p_; }
    void reset(T *p) { releaseRef(p_); p_ = p; }
    T *take() { T *p = p_; p_ = nullptr; return p; }

private:
    T *p_;
};

} // namespace fb::client
