#include "Database.h"

#include "Codec.h"
#include "DatabaseImpl.h"
#include "Statement.h"
#include "TransactionImpl.h"

namespace fb {

namespace {
LoginPrompt *defaultLoginPrompt = nullptr;
}

void Database::Impl::check(client::Status &status)
{
    if (status.failed())
        fail(status);
}

void Database::Impl::fail(client::Status &status)
{
    Error error = status.toError();
    status.clear();
    if (error.kind() == Error::Kind::ConnectionLost)
        connectionLost();
    throw error;
}

void Database::Impl::connectionLost()
{
    if (!attachment)
        return;
    for (Statement *statement : registry->statements)
        statement->discard(false);
    for (Transaction *transaction : registry->transactions)
        transaction->impl().discard();
    client::releaseRef(attachment);
    emit self.connectionClosed();
}

void Database::Impl::attach(const ConnectionParams &params)
{
    client::Status status;
    Firebird::IXpbBuilder *dpb = client::util()->getXpbBuilder(status.get(), Firebird::IXpbBuilder::DPB, nullptr, 0);
    if (!status.failed()) {
        dpb->insertString(status.get(), isc_dpb_user_name, toClientText(params.userName).constData());
        dpb->insertString(status.get(), isc_dpb_password, toClientText(params.password).constData());
        dpb->insertInt(status.get(), isc_dpb_sql_dialect, 3);
        if (!params.role.isEmpty())
            dpb->insertString(status.get(), isc_dpb_sql_role_name, toClientText(params.role).constData());
    }
    Firebird::IAttachment *att = nullptr;
    if (!status.failed()) {
        const QByteArray name = toClientText(params.databaseName);
        att = client::provider()->attachDatabase(status.get(), name.constData(), dpb->getBufferLength(status.get()),
                                                 dpb->getBuffer(status.get()));
    }
    if (dpb)
        dpb->dispose();
    if (status.failed()) {
        const Error error = status.toError();
        throw Error(Error::Kind::ConnectFailed, error.message(), error.errorCode(), error.sqlState());
    }
    attachment = att;
    ++generation;
}

Database::Database(QObject *parent) : QObject(parent), d_(std::make_unique<Impl>(*this)) {}

Database::~Database()
{
    close();
}

void Database::setDatabaseName(const QString &name) { params_.databaseName = name; }
void Database::setUserName(const QString &user) { params_.userName = user; }
void Database::setPassword(const QString &password) { params_.password = password; }
void Database::setRole(const QString &role) { params_.role = role; }
void Database::setDefaultLoginPrompt(LoginPrompt *prompt) { defaultLoginPrompt = prompt; }

bool Database::isConnected() const
{
    return d_->attachment != nullptr;
}

namespace {
// Shows the prompt on a copy, so that Cancel leaves the parameters as they were.
bool askLogin(LoginPrompt *prompt, ConnectionParams &params)
{
    ConnectionParams entered = params;
    if (!prompt->askLogin(entered))
        return false;
    params = entered;
    return true;
}
} // namespace

void Database::open()
{
    if (isConnected())
        return;
    LoginPrompt *prompt = loginPrompt_ ? loginPrompt_ : defaultLoginPrompt;
    if (prompt && params_.password.isEmpty()) {
        if (!askLogin(prompt, params_))
            throw Error(Error::Kind::ConnectFailed, "Database login cancelled: " + params_.databaseName);
        d_->attach(params_);
        return;
    }
    try {
        d_->attach(params_);
    } catch (const Error &) {
        // One more attempt with what the user confirms; Cancel keeps the client's error.
        if (!prompt || !askLogin(prompt, params_))
            throw;
        d_->attach(params_);
    }
}

void Database::ensureConnected()
{
    if (isConnected())
        return;
    if (!connectOnUse_)
        throw Error(Error::Kind::General, "Database not connected: " + params_.databaseName);
    open();
}

void Database::close()
{
    if (!isConnected())
        return;
    emit aboutToClose();
    // Copies: rolling back or closing may unregister entries, and a lost connection
    // found on the way empties the attachment.
    const auto transactions = d_->registry->transactions;
    for (Transaction *transaction : transactions) {
        try {
            transaction->rollback();
        } catch (const Error &) {
            transaction->impl().discard();
        }
    }
    const auto users = d_->registry->users;
    for (ConnectionUser *user : users)
        user->connectionClosing();
    const bool alive = isConnected();
    for (Statement *statement : d_->registry->statements)
        statement->discard(alive);
    if (!alive)
        return; // connectionLost() already released the rest and announced it
    client::Status status;
    d_->attachment->detach(status.get());
    if (status.failed())
        d_->attachment->release();
    d_->attachment = nullptr;
    emit connectionClosed();
}

} // namespace fb
