#pragma once

#include <QString>
#include <QStringList>

// A database of its own for one test case or suite, created on the local Firebird server
// from db/schema.sql (plus optional extra scripts) and dropped again when the object goes.
// Owned by the program's database user (TARVEN), so the tests need no SYSDBA rights.
class TestDatabase {
public:
    // extraScripts: paths or SQL texts ("sql:" prefix) run after the schema.
    explicit TestDatabase(const QStringList &extraScripts = {}, bool withSchema = true);
    ~TestDatabase();
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    static QString host();      // TARVEN_FB_HOST, default "localhost"
    static QString user();      // TARVEN_FB_USER, default "TARVEN"
    static QString password();  // TARVEN_FB_PASSWORD, default "tarven3"
    static QString sourceDir(); // TARVEN_SOURCE_DIR, set by CTest
    static QString dataDir();   // TARVEN_FB_DATA, default /var/lib/firebird/3.0/data

    const QString &path() const { return path_; }          // server-side file name
    QString connectionString() const { return host() + ":" + path_; }

    // Runs SQL through isql-fb against this database; returns isql's output, throws
    // std::runtime_error with isql's message on failure.
    QString isql(const QString &sql) const;
    // First column of the first row of a query, as text (trimmed); "" when no row.
    QString scalar(const QString &query) const;

private:
    QString path_;
};
