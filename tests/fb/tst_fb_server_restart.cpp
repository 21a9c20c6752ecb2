#include "Holder.h"
#include "fb/Error.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>
#include <QTest>

using fb::Error;

namespace {

void firebirdService(const QString &action)
{
    QProcess p;
    p.start("/etc/init.d/firebird3.0", {action});
    QVERIFY(p.waitForFinished(60000));
}

bool serverAnswers()
{
    QTcpSocket socket;
    socket.connectToHost("127.0.0.1", 3050);
    return socket.waitForConnected(500);
}

void waitForServer()
{
    QElapsedTimer timer;
    timer.start();
    while (!serverAnswers() && timer.elapsed() < 60000)
        QTest::qWait(250);
    QVERIFY(serverAnswers());
}

} // namespace

// Stops and starts the Firebird server under a connected holder.
class TestServerRestart : public QObject {
    Q_OBJECT
private slots:
    void restartedServerIsSurvived();
};

void TestServerRestart::restartedServerIsSurvived()
{
    TestDatabase tdb({"sql:insert into dokter values ('A', '1', 'x');"});
    Holder h(tdb);
    fb::Query count(h.db, h.read);
    count.setSql("select count(*) from dokter");
    count.execute();
    fb::DataSet ds(h.db, h.read, h.snapshotWrite);
    ds.setSelectSql("select * from dokter");
    ds.setUpdateSql("UPDATE DOKTER SET NIP = :NIP WHERE NAMA = :OLD_NAMA");
    ds.setAutoCommit(true);
    ds.open();
    QVERIFY(h.db.isConnected());

    firebirdService("stop");
    const auto e = errorOf([&] { count.execute(); });
    QVERIFY2(e, "a statement ran with the server stopped");
    QVERIFY2(e->kind() == Error::Kind::ConnectionLost, qPrintable(e->message()));
    QVERIFY(!h.db.isConnected());
    QVERIFY(!h.read.isActive());
    QVERIFY_THROWS_EXCEPTION(Error, count.execute()); // still down: the attach fails cleanly
    QVERIFY(!h.db.isConnected());

    firebirdService("start");
    waitForServer();
    count.execute(); // attaches afresh
    QVERIFY(h.db.isConnected());
    QCOMPARE(count.value(0, 0).toInt(), 1);
    QVERIFY(ds.isOpen()); // rows in memory survive; statements are prepared again on use
    ds.edit();
    ds.setFieldValue("NIP", "2");
    ds.post();
    QCOMPARE(tdb.scalar("select nip from dokter"), QString("2"));
}

QTEST_GUILESS_MAIN(TestServerRestart)
#include "tst_fb_server_restart.moc"
