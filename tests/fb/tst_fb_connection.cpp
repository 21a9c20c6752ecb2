#include "Holder.h"
#include "fb/Error.h"

#include <QSignalSpy>
#include <QTest>

using fb::Error;

namespace {

// Stands in for the "Database login" dialog: counts calls and answers as told.
struct StubPrompt : fb::LoginPrompt {
    bool accept = true;
    QString password;
    int calls = 0;
    QString passwordShown;
    bool askLogin(fb::ConnectionParams &params) override
    {
        ++calls;
        passwordShown = params.password;
        params.password = password;
        return accept;
    }
};

int countDokter(fb::Database &db, fb::Transaction &tr)
{
    fb::Query q(db, tr);
    q.setSql("select count(*) from dokter");
    q.execute();
    return q.value(0, 0).toInt();
}

} // namespace

class TestConnection : public QObject {
    Q_OBJECT
private slots:
    void readCommittedSeesAnotherHoldersCommit();
    void snapshotDoesNotSeeAnotherHoldersCommit();
    void secondWriterOnLockedRowFailsAtOnce();
    void closeRollsBackUnpostedWorkAndLeavesOtherDatabase();
    void postedWorkSurvivesClose();
    void closeOfClosedAndWithoutConnectOnUse();
    void loginPrompt_data();
    void loginPrompt();
    void promptedValuesStayForLaterConnects();
    void defaultPromptIsUsedWithoutOwnPrompt();
    void rejectedStatementGivesServerMessage();
    void unknownParameterNameIsNamed();
    void unsetParameterBindsNull();
    void proceduresAndRowsAffected();
    void textTravelsAsWindows1252();
    void valueTypesRoundTrip();
    void killedAttachmentIsThrownAwayAndReattached();
};

void TestConnection::readCommittedSeesAnotherHoldersCommit()
{
    TestDatabase tdb;
    Holder a(tdb), b(tdb);
    QCOMPARE(countDokter(a.db, a.read), 0);
    QVERIFY(a.read.isActive());
    execCommitted(b, b.snapshotWrite, "insert into dokter (nama) values ('X')");
    QCOMPARE(countDokter(a.db, a.read), 1); // same transaction, next statement
}

void TestConnection::snapshotDoesNotSeeAnotherHoldersCommit()
{
    TestDatabase tdb;
    Holder a(tdb), b(tdb);
    QCOMPARE(countDokter(a.db, a.snapshotWrite), 0);
    execCommitted(b, b.snapshotWrite, "insert into dokter (nama) values ('X')");
    QCOMPARE(countDokter(a.db, a.snapshotWrite), 0);
    a.snapshotWrite.commit();
    QCOMPARE(countDokter(a.db, a.snapshotWrite), 1);
}

void TestConnection::secondWriterOnLockedRowFailsAtOnce()
{
    TestDatabase tdb({"sql:insert into dokter (nama, nip) values ('A', '1');"});
    Holder a(tdb), b(tdb);
    fb::Query qa(a.db, a.snapshotWrite);
    qa.setSql("update dokter set nip = '2' where nama = 'A'");
    qa.execute();
    QCOMPARE(qa.rowsAffected(), 1);

    for (fb::Transaction *tr : {&b.snapshotWrite, &b.committedWrite}) {
        fb::Query qb(b.db, *tr);
        qb.setSql("update dokter set nip = '3' where nama = 'A'");
        const auto e = errorOf([&] { qb.execute(); });
        QVERIFY2(e, "the second writer was not stopped");
        QCOMPARE(e->kind(), Error::Kind::LockConflict);
        QVERIFY2(e->message().contains("conflict"), qPrintable(e->message()));
        QVERIFY(e->errorCode() != 0);
        tr->rollback();
    }
}

void TestConnection::closeRollsBackUnpostedWorkAndLeavesOtherDatabase()
{
    TestDatabase tdb;
    Holder a(tdb), b(tdb);
    fb::Query qa(a.db, a.snapshotWrite);
    qa.setSql("insert into dokter (nama) values ('UNPOSTED')");
    qa.execute();
    fb::DataSet ds(b.db, b.read, b.snapshotWrite);
    ds.setSelectSql("select * from dokter");
    ds.open();
    QSignalSpy closedSpy(&a.db, &fb::Database::connectionClosed);

    a.db.close();
    QVERIFY(!a.db.isConnected());
    QVERIFY(!a.snapshotWrite.isActive());
    QCOMPARE(closedSpy.count(), 1);
    QVERIFY(b.db.isConnected());
    QVERIFY(b.read.isActive());
    QVERIFY(ds.isOpen());
    QCOMPARE(tdb.scalar("select count(*) from dokter"), QString("0"));

    // The closed holder connects again on its next use.
    QCOMPARE(countDokter(a.db, a.read), 0);
    QVERIFY(a.db.isConnected());
}

void TestConnection::postedWorkSurvivesClose()
{
    TestDatabase tdb;
    Holder a(tdb);
    execCommitted(a, a.snapshotWrite, "insert into dokter (nama) values ('KEPT')");
    a.db.close();
    QCOMPARE(tdb.scalar("select nama from dokter"), QString("KEPT"));
}

void TestConnection::closeOfClosedAndWithoutConnectOnUse()
{
    TestDatabase tdb;
    Holder a(tdb);
    QSignalSpy closedSpy(&a.db, &fb::Database::connectionClosed);
    a.db.close(); // closed already: nothing happens
    QCOMPARE(closedSpy.count(), 0);
    a.db.setConnectOnUse(false);
    QVERIFY_THROWS_EXCEPTION(Error, countDokter(a.db, a.read));
    QVERIFY(!a.db.isConnected());
    a.db.setConnectOnUse(true);
    QCOMPARE(countDokter(a.db, a.read), 0);
}

void TestConnection::loginPrompt_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<int>("calls");
    QTest::addColumn<bool>("connects");

    const QString right = TestDatabase::password();
    QTest::newRow("right password: no prompt") << right << true << QString() << 0 << true;
    QTest::newRow("empty password: prompt first, OK") << QString() << true << right << 1 << true;
    QTest::newRow("empty password: prompt first, Cancel") << QString() << false << right << 1 << false;
    QTest::newRow("wrong password: prompt once, OK") << "wrong" << true << right << 1 << true;
    QTest::newRow("wrong password: prompt once, still wrong") << "wrong" << true << "wrong2" << 1 << false;
    QTest::newRow("wrong password: prompt once, Cancel") << "wrong" << false << right << 1 << false;
}

void TestConnection::loginPrompt()
{
    QFETCH(QString, password);
    QFETCH(bool, accept);
    QFETCH(QString, entered);
    QFETCH(int, calls);
    QFETCH(bool, connects);

    TestDatabase tdb;
    Holder h(tdb);
    StubPrompt prompt;
    prompt.accept = accept;
    prompt.password = entered;
    h.db.setPassword(password);
    h.db.setLoginPrompt(&prompt);
    if (connects) {
        QCOMPARE(countDokter(h.db, h.read), 0);
    } else {
        const auto e = errorOf([&] { countDokter(h.db, h.read); });
        QVERIFY2(e, "connected although it should not");
        QCOMPARE(e->kind(), Error::Kind::ConnectFailed);
        QVERIFY(!e->message().isEmpty());
    }
    QCOMPARE(prompt.calls, calls);
    if (calls)
        QCOMPARE(prompt.passwordShown, password);
    QCOMPARE(h.db.isConnected(), connects);
    // Cancel leaves the parameters as they were.
    QCOMPARE(h.db.params().password, accept ? (calls ? entered : password) : password);
}

void TestConnection::promptedValuesStayForLaterConnects()
{
    TestDatabase tdb;
    Holder h(tdb);
    StubPrompt prompt;
    prompt.password = TestDatabase::password();
    h.db.setPassword("wrong");
    h.db.setLoginPrompt(&prompt);
    countDokter(h.db, h.read);
    h.db.close();
    countDokter(h.db, h.read);
    QCOMPARE(prompt.calls, 1);
}

void TestConnection::defaultPromptIsUsedWithoutOwnPrompt()
{
    TestDatabase tdb;
    Holder h(tdb);
    StubPrompt prompt;
    prompt.password = TestDatabase::password();
    fb::Database::setDefaultLoginPrompt(&prompt);
    h.db.setPassword(QString());
    countDokter(h.db, h.read);
    fb::Database::setDefaultLoginPrompt(nullptr);
    QCOMPARE(prompt.calls, 1);
}

void TestConnection::rejectedStatementGivesServerMessage()
{
    TestDatabase tdb;
    Holder h(tdb);
    fb::Query q(h.db, h.read);
    for (const char *sql : {"selec * from dokter", "select * from no_such_table"}) {
        q.setSql(sql);
        const auto e = errorOf([&] { q.execute(); });
        QVERIFY2(e, "the server accepted a bad statement");
        QCOMPARE(e->kind(), Error::Kind::General);
        QVERIFY2(e->message().contains("Dynamic SQL Error"), qPrintable(e->message()));
        QVERIFY(e->errorCode() != 0);
        QVERIFY(!e->sqlState().isEmpty());
    }
    QVERIFY(h.db.isConnected()); // a rejected statement does not cost the connection
}

void TestConnection::unknownParameterNameIsNamed()
{
    TestDatabase tdb;
    Holder h(tdb);
    fb::Query q(h.db, h.read);
    q.setSql("select * from dokter where nama = :nama");
    q.setParam("nama", "A");
    q.setParam("nmaa", "typo");
    const auto e = errorOf([&] { q.execute(); });
    QVERIFY2(e, "an unknown parameter was accepted");
    QVERIFY2(e->message().contains("NMAA"), qPrintable(e->message()));
    QVERIFY2(e->message().contains("select * from dokter where nama = :nama"), qPrintable(e->message()));
}

void TestConnection::unsetParameterBindsNull()
{
    TestDatabase tdb;
    Holder h(tdb);
    fb::Query q(h.db, h.snapshotWrite);
    q.setAutoCommit(true);
    q.setSql("insert into dokter (nama, nip) values (:nama, :nip)");
    q.setParam("NAMA", "A");
    q.execute();
    QCOMPARE(q.rowsAffected(), 1);
    QVERIFY(!h.snapshotWrite.isActive()); // auto-commit
    QCOMPARE(tdb.scalar("select count(*) from dokter where nama = 'A' and nip is null"), QString("1"));
}

void TestConnection::proceduresAndRowsAffected()
{
    TestDatabase tdb;
    Holder h(tdb);
    fb::Query log(h.db, h.committedWrite);
    log.setSql("select * from proses_log_pemakai(:ip_pemakai)");
    log.setParam("ip_pemakai", "budi");
    log.execute();
    QVERIFY(log.isOpen());
    const QString code = log.fieldText("log_kode");
    QVERIFY(code.startsWith('L'));
    QVERIFY_THROWS_EXCEPTION(Error, log.fieldValue("nope"));

    fb::Query logout(h.db, h.committedWrite);
    logout.clearSql();
    logout.addSql("EXECUTE PROCEDURE PROSES_LOGOUT_PEMAKAI (?IP_LOGIN)");
    logout.setParam("IP_LOGIN", code);
    logout.execute();
    h.committedWrite.commit();
    QCOMPARE(tdb.scalar("select count(*) from log_pemakai where selesai is not null and pemakai = 'budi'"),
             QString("1"));
    QCOMPARE(log.rowCount(), 1); // rows stay until close
    log.close();
    QCOMPARE(log.rowCount(), 0);

    execCommitted(h, h.snapshotWrite, "insert into dokter (nama) values ('A')");
    execCommitted(h, h.snapshotWrite, "insert into dokter (nama) values ('B')");
    fb::Query upd(h.db, h.snapshotWrite);
    upd.setSql("update dokter set nip = 'x'");
    upd.execute();
    QCOMPARE(upd.rowsAffected(), 2);
}

void TestConnection::textTravelsAsWindows1252()
{
    TestDatabase tdb;
    Holder h(tdb);
    const QString name = QString::fromUtf8("Müller €");
    fb::Query ins(h.db, h.snapshotWrite);
    ins.setAutoCommit(true);
    ins.setSql("insert into dokter (nama) values (:nama)");
    ins.setParam("nama", name);
    ins.execute();
    // Stored as single bytes: ü is 252 and € is 128 in windows-1252.
    QCOMPARE(tdb.scalar("select octet_length(nama) from dokter"), QString("8"));
    QCOMPARE(tdb.scalar("select ascii_val(substring(nama from 2 for 1)) from dokter"), QString("252"));
    QCOMPARE(tdb.scalar("select ascii_val(substring(nama from 8 for 1)) from dokter"), QString("128"));
    fb::Query sel(h.db, h.read);
    sel.setSql("select nama from dokter");
    sel.execute();
    QCOMPARE(sel.fieldText("NAMA"), name);
}

void TestConnection::valueTypesRoundTrip()
{
    TestDatabase tdb({"sql:create table typen (i integer, s smallint, b bigint, n numeric(15,2), d double precision, "
                      "dt date, tm time, ts timestamp, c char(5), bl blob sub_type 0);"});
    Holder h(tdb);
    fb::Query ins(h.db, h.snapshotWrite);
    ins.setAutoCommit(true);
    ins.setSql("insert into typen values (:i, :s, :b, :n, :d, :dt, :tm, :ts, :c, :bl)");
    const QDateTime ts(QDate(2024, 2, 29), QTime(13, 45, 7, 250));
    ins.setParam("i", 42);
    ins.setParam("s", "7"); // text for a number converts
    ins.setParam("b", qlonglong(1) << 40);
    ins.setParam("n", 1234.56);
    ins.setParam("d", 0.5);
    ins.setParam("dt", ts.date());
    ins.setParam("tm", ts.time());
    ins.setParam("ts", ts);
    ins.setParam("c", "ab");
    ins.setParam("bl", QByteArray("\x01\x02\x03", 3));
    ins.execute();

    fb::Query sel(h.db, h.read);
    sel.setSql("select * from typen");
    sel.execute();
    QCOMPARE(sel.fieldValue("I"), QVariant(42));
    QCOMPARE(sel.fieldValue("S"), QVariant(7));
    QCOMPARE(sel.fieldValue("B"), QVariant(qlonglong(1) << 40));
    QCOMPARE(sel.fieldValue("N").toDouble(), 1234.56);
    QCOMPARE(sel.fields()[sel.fieldIndex("n")].type, fb::Field::Type::Numeric);
    QCOMPARE(sel.fields()[sel.fieldIndex("n")].scale, 2);
    QCOMPARE(sel.fieldValue("D"), QVariant(0.5));
    QCOMPARE(sel.fieldValue("DT"), QVariant(ts.date()));
    QCOMPARE(sel.fieldValue("TM"), QVariant(ts.time()));
    QCOMPARE(sel.fieldValue("TS").toDateTime(), ts);
    QCOMPARE(sel.fieldValue("C"), QVariant(QString("ab   "))); // a free query keeps CHAR padding
    QCOMPARE(sel.fieldValue("BL"), QVariant(QByteArray("\x01\x02\x03", 3)));

    ins.setParam("i", "not a number");
    QVERIFY_THROWS_EXCEPTION(Error, ins.execute());
    QVERIFY(!h.snapshotWrite.isActive()); // the failed auto-commit unit left nothing open
}

void TestConnection::killedAttachmentIsThrownAwayAndReattached()
{
    TestDatabase tdb({"sql:insert into dokter values ('A', '1', 'x');"});
    Holder victim(tdb), killer(tdb);
    fb::DataSet ds(victim.db, victim.read, victim.snapshotWrite);
    ds.setSelectSql("select * from dokter");
    ds.setUpdateSql("UPDATE DOKTER SET NIP = :NIP WHERE NAMA = :OLD_NAMA");
    ds.setAutoCommit(true);
    ds.open();
    fb::Query id(victim.db, victim.read);
    id.setSql("select current_connection from rdb$database");
    id.execute();
    execCommitted(killer, killer.committedWrite,
                  "delete from mon$attachments where mon$attachment_id = " + id.value(0, 0).toString());

    ds.edit();
    ds.setFieldValue("NIP", "2");
    const auto e = errorOf([&] { ds.post(); });
    QVERIFY2(e, "posted through a killed attachment");
    QVERIFY2(e->kind() == Error::Kind::ConnectionLost, qPrintable(e->message()));
    QVERIFY(!victim.db.isConnected());
    QVERIFY(!victim.read.isActive());
    QCOMPARE(ds.state(), fb::DataSet::State::Edit); // what was typed is kept
    ds.post(); // the next use attaches afresh
    QVERIFY(victim.db.isConnected());
    QCOMPARE(tdb.scalar("select nip from dokter"), QString("2"));
}

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_fb_connection.moc"
