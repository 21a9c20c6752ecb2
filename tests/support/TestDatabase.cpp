#include "TestDatabase.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QUuid>
#include <stdexcept>

namespace {

QString envOr(const char *name, const QString &fallback)
{
    const QByteArray v = qgetenv(name);
    return v.isEmpty() ? fallback : QString::fromLocal8Bit(v);
}

QString runIsql(const QStringList &args, const QString &script)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start("isql-fb", args);
    if (!p.waitForStarted(10000))
        throw std::runtime_error("isql-fb could not be started");
    p.write(script.toLatin1());
    p.closeWriteChannel();
    p.waitForFinished(300000);
    const QString out = QString::fromLatin1(p.readAll());
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw std::runtime_error(("isql-fb failed: " + out).toStdString());
    return out;
}

QString scriptText(const QString &item)
{
    if (item.startsWith("sql:"))
        return item.mid(4);
    QFile f(item);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(("cannot read " + item).toStdString());
    return QString::fromLatin1(f.readAll());
}

} // namespace

QString TestDatabase::host() { return envOr("TARVEN_FB_HOST", "localhost"); }
QString TestDatabase::user() { return envOr("TARVEN_FB_USER", "TARVEN"); }
QString TestDatabase::password() { return envOr("TARVEN_FB_PASSWORD", "tarven3"); }
QString TestDatabase::sourceDir() { return envOr("TARVEN_SOURCE_DIR", QString(TARVEN_SOURCE_DIR_DEFAULT)); }
QString TestDatabase::dataDir() { return envOr("TARVEN_FB_DATA", "/var/lib/firebird/3.0/data"); }

TestDatabase::TestDatabase(const QStringList &extraScripts, bool withSchema)
{
    path_ = dataDir() + "/tarven-test-" + QUuid::createUuid().toString(QUuid::Id128).left(16) + ".fdb";
    QString script = QString("create database '%1:%2' user '%3' password '%4' default character set WIN1252;\n")
                         .arg(host(), path_, user(), password());
    if (withSchema)
        script += scriptText(sourceDir() + "/db/schema.sql") + "\n";
    for (const QString &extra : extraScripts)
        script += scriptText(extra) + "\n";
    script += "commit;\n";
    runIsql({"-q", "-b"}, script);
}

TestDatabase::~TestDatabase()
{
    try {
        runIsql({"-q", "-b", "-user", user(), "-password", password(), connectionString()}, "drop database;\n");
    } catch (...) {
        // A test that stopped the server or still holds an attachment leaves the file; the
        // next set-up run removes stale test databases.
    }
}

QString TestDatabase::isql(const QString &sql) const
{
    return runIsql({"-q", "-b", "-user", user(), "-password", password(), connectionString()}, sql);
}

QString TestDatabase::scalar(const QString &query) const
{
    // "set list on" prints "COLUMN  value" lines, one per column.
    const QString out = isql("set list on;\n" + query + ";\n");
    for (const QString &line : out.split('\n')) {
        const QString t = line.trimmed();
        if (t.isEmpty())
            continue;
        const int gap = t.indexOf(' ');
        return gap < 0 ? QString() : (t.mid(gap).trimmed() == "<null>" ? QString() : t.mid(gap).trimmed());
    }
    return {};
}
