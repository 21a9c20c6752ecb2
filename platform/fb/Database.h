#pragma once

#include <QObject>
#include <QString>
#include <memory>

namespace fb {

class Statement;
class Transaction;

// The parameters a connection is made with. The database name is Firebird's
// "host:path" form; no character set is ever requested, so text travels as the raw
// 8-bit bytes of the client (decoded and encoded as windows-1252 by this layer).
struct ConnectionParams {
    QString databaseName;
    QString userName;
    QString password;
    QString role;
};

// Asked for credentials when connecting on use: before the first attempt when the
// password is empty, and exactly once after a failed attempt otherwise. Returning false
// (Cancel) abandons the connect; the operation that needed it then fails with the
// client library's error.
class LoginPrompt {
public:
    virtual ~LoginPrompt() = default;
    virtual bool askLogin(ConnectionParams &params) = 0;
};

// One Firebird connection (attachment). Owns nothing but the attachment; the
// transactions and statements made on it register themselves so that close() can roll
// back and close all of them.
class Database : public QObject {
    Q_OBJECT
public:
    explicit Database(QObject *parent = nullptr);
    ~Database() override; // closes (rolls back)

    void setDatabaseName(const QString &name);
    void setUserName(const QString &user);
    void setPassword(const QString &password);
    void setRole(const QString &role);
    const ConnectionParams &params() const { return params_; }

    // With connect-on-use on, statements and datasets attach on demand; with it off,
    // using a closed connection is an error.
    void setConnectOnUse(bool on) { connectOnUse_ = on; }
    bool connectOnUse() const { return connectOnUse_; }

    // The prompt of this connection; without one the application-wide default is used,
    // and without that the connect is simply tried.
    void setLoginPrompt(LoginPrompt *prompt) { loginPrompt_ = prompt; }
    static void setDefaultLoginPrompt(LoginPrompt *prompt);

    bool isConnected() const;

    // Attaches now, applying the login-prompt rule. Does nothing when connected.
    void open();
    // What every statement calls before it runs: opens when closed and connect-on-use is
    // on, throws when closed and connect-on-use is off.
    void ensureConnected();
    // Rolls back every active transaction, closes every dataset and statement made on
    // this connection, then detaches. Closing a closed connection does nothing.
    void close();

    struct Impl;
    Impl &impl() { return *d_; }

signals:
    void aboutToClose();
    void connectionClosed();

private:
    friend class Transaction;
    friend class Statement;
    ConnectionParams params_;
    bool connectOnUse_ = true;
    LoginPrompt *loginPrompt_ = nullptr;
    std::unique_ptr<Impl> d_;
};

} // namespace fb
