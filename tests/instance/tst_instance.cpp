// The single-instance guard across real processes: the test binary starts copies of
// itself in helper mode (InstanceHelper.h) under a runtime dir of its own.

#include "InstanceHelper.h"
#include "instance/SingleInstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
constexpr int kPatienceMs = 20000;
}

class InstanceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void keyIsExecutableFileName();
    void laterCopyWaitsUntilFirstHasAnnounced();
    void copyUnderAnotherNameIsIndependent();
    void lockOfKilledCopyDoesNotBlock();
    void laterCopyGivesUpAfterTimeout();

private:
    QString freshKey() { return QStringLiteral("tst-instance-key-%1").arg(++counter_); }
    // Starts a copy in the given helper mode; waits for its claim line when asked.
    QProcess *start(const QStringList &arguments);
    static bool waitForLine(QProcess *copy, const QByteArray &line);
    // QProcess only sends what was written when its own event handling or waits run.
    static void tell(QProcess *copy, const QByteArray &line)
    {
        copy->write(line + '\n');
        copy->waitForBytesWritten(kPatienceMs);
    }
    // waitForFinished() alone says false for a copy that has ended already.
    static bool waitForEnd(QProcess *copy)
    {
        return copy->state() == QProcess::NotRunning || copy->waitForFinished(kPatienceMs);
    }
    QProcess *startFirstCopy(const QString &key);

    QTemporaryDir runtimeDir_;
    int counter_ = 0;
    std::vector<std::unique_ptr<QProcess>> copies_;
};

void InstanceTest::initTestCase()
{
    QVERIFY(runtimeDir_.isValid());
    QFile::setPermissions(runtimeDir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtimeDir_.path().toLocal8Bit()); // inherited by the copies
}

void InstanceTest::cleanup()
{
    for (auto &copy : copies_) {
        if (copy->state() != QProcess::NotRunning) {
            copy->closeWriteChannel(); // the end of input ends a holding copy
            if (!copy->waitForFinished(5000))
                copy->kill();
            copy->waitForFinished(5000);
        }
    }
    copies_.clear();
}

QProcess *InstanceTest::start(const QStringList &arguments)
{
    auto copy = std::make_unique<QProcess>();
    copy->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    copy->start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--instance-helper")} + arguments);
    copies_.push_back(std::move(copy));
    return copies_.back().get();
}

bool InstanceTest::waitForLine(QProcess *copy, const QByteArray &line)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        while (copy->canReadLine())
            if (copy->readLine().trimmed() == line)
                return true;
        if (clock.elapsed() > kPatienceMs)
            return false;
        if (!copy->waitForReadyRead(200) && copy->state() == QProcess::NotRunning && !copy->canReadLine())
            return false;
    }
}

QProcess *InstanceTest::startFirstCopy(const QString &key)
{
    QProcess *first = start({QStringLiteral("hold"), key});
    if (!waitForLine(first, "claim=1"))
        qWarning("the first copy did not claim its key");
    return first;
}

void InstanceTest::keyIsExecutableFileName()
{
    QCOMPARE(instance::SingleInstance::keyForExecutable(), QStringLiteral("tst_instance"));
}

void InstanceTest::laterCopyWaitsUntilFirstHasAnnounced()
{
    const QString key = freshKey();
    QProcess *first = startFirstCopy(key);
    for (int extraStart = 0; extraStart < 2; ++extraStart) { // once per later start
        QProcess *later = start({QStringLiteral("claim"), key});
        QVERIFY(waitForLine(first, "secondRun"));
        // The first copy's handler is still running: the later copy must still wait.
        QVERIFY(!later->waitForFinished(300));
        tell(first, "release");
        QVERIFY(waitForLine(first, "returned"));
        QVERIFY(waitForEnd(later));
        QCOMPARE(later->exitStatus(), QProcess::NormalExit);
        QCOMPARE(later->exitCode(), 0);
        QCOMPARE(later->readAll().trimmed(), QByteArray("claim=0"));
    }
    QCOMPARE(first->state(), QProcess::Running);
}

void InstanceTest::copyUnderAnotherNameIsIndependent()
{
    startFirstCopy(freshKey());
    QProcess *other = start({QStringLiteral("claim"), freshKey()});
    QVERIFY(waitForEnd(other));
    QCOMPARE(other->readAll().trimmed(), QByteArray("claim=1"));
}

void InstanceTest::lockOfKilledCopyDoesNotBlock()
{
    const QString key = freshKey();
    QProcess *first = startFirstCopy(key);
    first->kill(); // SIGKILL: nothing is cleaned up
    QVERIFY(waitForEnd(first));
    QVERIFY(QFile::exists(runtimeDir_.filePath(key + QStringLiteral(".lock"))));
    QVERIFY(QFile::exists(runtimeDir_.filePath(key + QStringLiteral(".notice"))));

    QProcess *next = start({QStringLiteral("hold"), key});
    QVERIFY(waitForLine(next, "claim=1"));
    // And it answers later copies on the notice socket it took over.
    QProcess *later = start({QStringLiteral("claim"), key});
    QVERIFY(waitForLine(next, "secondRun"));
    tell(next, "release");
    QVERIFY(waitForEnd(later));
    QCOMPARE(later->readAll().trimmed(), QByteArray("claim=0"));
}

void InstanceTest::laterCopyGivesUpAfterTimeout()
{
    const QString key = freshKey();
    QProcess *first = startFirstCopy(key);
    QProcess *later = start({QStringLiteral("claim"), key, QStringLiteral("300")});
    QVERIFY(waitForLine(first, "secondRun"));
    QVERIFY(waitForEnd(later)); // without "release"
    QCOMPARE(later->readAll().trimmed(), QByteArray("claim=0"));
    tell(first, "release");
    QVERIFY(waitForLine(first, "returned"));
}

int main(int argc, char **argv)
{
    if (isInstanceHelperCall(argc, argv))
        return runInstanceHelper(argc, argv);
    QCoreApplication app(argc, argv);
    InstanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_instance.moc"
