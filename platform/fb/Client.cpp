#include "Client.h"

#include "Codec.h"

#include <array>
#include <iberror.h>

namespace fb::client {

Firebird::IMaster *master()
{
    static Firebird::IMaster *m = Firebird::fb_get_master_interface();
    return m;
}

Firebird::IUtil *util()
{
    static Firebird::IUtil *u = master()->getUtilInterface();
    return u;
}

Firebird::IProvider *provider()
{
    // The dispatcher lives for the whole process; it is never released, because
    // releasing it would unload providers that static destructors may still reach.
    static Firebird::IProvider *p = master()->getDispatcher();
    return p;
}

Status::Status() : status_(master()->getStatus()), wrapper_(status_) {}

Status::~Status() { status_->dispose(); }

bool Status::failed() const
{
    return (wrapper_.getState() & Firebird::IStatus::STATE_ERRORS) != 0;
}

namespace {

bool isLostConnectionCode(ISC_STATUS code)
{
    switch (code) {
    case isc_network_error:
    case isc_net_read_err:
    case isc_net_write_err:
    case isc_net_connect_err:
    case isc_att_shutdown:
    case isc_shutdown:
    case isc_conn_lost:
    case isc_lost_db_connection:
        return true;
    default:
        return false;
    }
}

bool isLockConflictCode(ISC_STATUS code)
{
    return code == isc_lock_conflict || code == isc_update_conflict;
}

// Walks the (code, argument) pairs of a status vector and collects the error codes.
template <class Visit> void forEachErrorCode(const intptr_t *v, Visit visit)
{
    while (v && *v != isc_arg_end) {
        const intptr_t tag = v[0];
        if (tag == isc_arg_gds)
            visit(static_cast<ISC_STATUS>(v[1]));
        v += (tag == isc_arg_cstring) ? 3 : 2;
    }
}

} // namespace

Error Status::toError() const
{
    auto *self = const_cast<Firebird::CheckStatusWrapper *>(&wrapper_);
    std::array<char, 2048> text{};
    util()->formatStatus(text.data(), text.size() - 1, self);
    std::array<char, 8> state{};
    const intptr_t *errors = wrapper_.getErrors();
    fb_sqlstate(state.data(), reinterpret_cast<const ISC_STATUS *>(errors));

    long first = 0;
    bool lost = false;
    bool conflict = false;
    forEachErrorCode(errors, [&](ISC_STATUS code) {
        if (!first)
            first = code;
        lost = lost || isLostConnectionCode(code);
        conflict = conflict || isLockConflictCode(code);
    });
    const QString sqlState = QString::fromLatin1(state.data());
    conflict = conflict || sqlState == "40001";
    const Error::Kind kind = lost ? Error::Kind::ConnectionLost
                             : conflict ? Error::Kind::LockConflict
                                        : Error::Kind::General;
    return Error(kind, fromClientText(QByteArray(text.data())).trimmed(), first, sqlState);
}

} // namespace fb::client
