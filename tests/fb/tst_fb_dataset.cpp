#include "Holder.h"
#include "fb/Error.h"

#include <QSignalSpy>
#include <QTest>

using fb::DataSet;
using fb::Error;

namespace {

// The doctor dataset as the master data module configures it.
struct Dokter {
    explicit Dokter(Holder &h, bool refreshAfterDelete = true) : ds(h.db, h.read, h.snapshotWrite)
    {
        ds.setSelectSql("select * from dokter order by nama");
        ds.setInsertSql("INSERT INTO DOKTER( NAMA, NIP, JABATAN ) VALUES( :NAMA, :NIP, :JABATAN )");
        ds.setUpdateSql("UPDATE DOKTER SET NIP = :NIP, JABATAN = :JABATAN WHERE NAMA = :OLD_NAMA");
        ds.setDeleteSql("DELETE FROM DOKTER WHERE NAMA = :OLD_NAMA");
        ds.setRefreshSql("select * from dokter WHERE DOKTER.NAMA = :OLD_NAMA");
        ds.setAutoCommit(true);
        ds.setRefreshAfterPost(true);
        ds.setRefreshAfterDelete(refreshAfterDelete);
    }
    DataSet ds;
};

const QString threeDoctors = "sql:insert into dokter values ('A', '1', 'x'); insert into dokter values ('B', '2', 'y');"
                             " insert into dokter values ('C', '3', 'z');";

QStringList names(const DataSet &ds)
{
    QStringList out;
    for (int r = 0; r < ds.rowCount(); ++r)
        out << ds.value(r, ds.fieldIndex("NAMA")).toString();
    return out;
}

} // namespace

class TestDataSet : public QObject {
    Q_OBJECT
private slots:
    void openReadsDynamicFieldsAndSignals();
    void charValuesAreTrimmed();
    void rereadAfterPostShowsWhatTheDatabaseStored();
    void insertIsFoundAgainByItsKeyAsTyped();
    void renamingTheKeyStoresOnlyTheUpdatedColumns();
    void emptyTextIsStoredAsNull();
    void deleteReread_data();
    void deleteReread();
    void clinicUnitsSendingZeroGetOwnIds();
    void newEmployeeGetsKode();
    void insertPlacesRowAndRunsHook();
    void movingPostsChangedRowAndCancelsUnchanged();
    void failedPostKeepsTypedValues();
    void closeDiscardsUnpostedEdit();
    void locate_data();
    void locate();
    void unknownSelectParameterIsNamed();
};

void TestDataSet::openReadsDynamicFieldsAndSignals()
{
    TestDatabase tdb({threeDoctors});
    Holder h(tdb);
    Dokter d(h);
    QSignalSpy reset(&d.ds, &DataSet::rowsReset);
    QSignalSpy current(&d.ds, &DataSet::currentRowChanged);
    d.ds.open();
    QVERIFY(h.db.isConnected());
    QVERIFY(h.read.isActive());
    QCOMPARE(d.ds.fields().size(), 3);
    QCOMPARE(d.ds.fields()[1].name, QString("NIP"));
    QCOMPARE(d.ds.fields()[1].type, fb::Field::Type::Text);
    QCOMPARE(d.ds.fieldIndex("jabatan"), 2);
    QCOMPARE(names(d.ds), (QStringList{"A", "B", "C"}));
    QCOMPARE(d.ds.currentRow(), 0);
    QCOMPARE(d.ds.state(), DataSet::State::Browse);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(current.count(), 1);
    d.ds.close();
    QCOMPARE(d.ds.rowCount(), 0);
    QCOMPARE(d.ds.currentRow(), -1);
    QCOMPARE(reset.count(), 2);
}

void TestDataSet::charValuesAreTrimmed()
{
    TestDatabase tdb({"sql:create table kode_char (k char(10) not null primary key); insert into kode_char values ('AB');"});
    Holder h(tdb);
    DataSet ds(h.db, h.read, h.snapshotWrite);
    ds.setSelectSql("select k from kode_char");
    ds.open();
    QCOMPARE(ds.fields()[0].type, fb::Field::Type::FixedText);
    QCOMPARE(ds.fieldText("K"), QString("AB"));
}

void TestDataSet::rereadAfterPostShowsWhatTheDatabaseStored()
{
    TestDatabase tdb({threeDoctors, "sql:set term ^; create trigger dokter_upper for dokter before insert or update as "
                                    "begin new.jabatan = upper(new.jabatan); end^ set term ;^"});
    Holder h(tdb);
    Dokter d(h);
    d.ds.open();
    QSignalSpy changed(&d.ds, &DataSet::rowChanged);
    d.ds.edit();
    d.ds.setFieldValue("jabatan", "dokter umum");
    d.ds.post();
    QCOMPARE(d.ds.state(), DataSet::State::Browse);
    QCOMPARE(d.ds.fieldText("JABATAN"), QString("DOKTER UMUM"));
    QVERIFY(!h.snapshotWrite.isActive()); // committed at once
    QVERIFY(changed.count() >= 2);
    QCOMPARE(tdb.scalar("select jabatan from dokter where nama = 'A'"), QString("DOKTER UMUM"));
}

void TestDataSet::insertIsFoundAgainByItsKeyAsTyped()
{
    TestDatabase tdb({"sql:set term ^; create trigger dokter_upper for dokter before insert as "
                      "begin new.jabatan = upper(new.jabatan); end^ set term ;^"});
    Holder h(tdb);
    Dokter d(h);
    d.ds.open();
    d.ds.insert();
    d.ds.setFieldValue("NAMA", "Baru");
    d.ds.setFieldValue("JABATAN", "bedah");
    d.ds.post();
    QCOMPARE(d.ds.fieldText("JABATAN"), QString("BEDAH"));
    QCOMPARE(d.ds.oldValue("NAMA"), QVariant("Baru"));
}

void TestDataSet::renamingTheKeyStoresOnlyTheUpdatedColumns()
{
    TestDatabase tdb({threeDoctors});
    Holder h(tdb);
    Dokter d(h);
    d.ds.open();
    d.ds.edit();
    d.ds.setFieldValue("NAMA", "Z");
    d.ds.setFieldValue("NIP", "99");
    d.ds.post();
    QCOMPARE(tdb.scalar("select nip from dokter where nama = 'A'"), QString("99"));
    QCOMPARE(tdb.scalar("select count(*) from dokter where nama = 'Z'"), QString("0"));
    QCOMPARE(d.ds.fieldText("NAMA"), QString("A")); // the re-read shows the stored name
}

void TestDataSet::emptyTextIsStoredAsNull()
{
    TestDatabase tdb({threeDoctors});
    Holder h(tdb);
    Dokter d(h);
    d.ds.open();
    d.ds.edit();
    d.ds.setFieldValue("JABATAN", "");
    d.ds.post();
    QCOMPARE(tdb.scalar("select count(*) from dokter where nama = 'A' and jabatan is null"), QString("1"));
    QVERIFY(d.ds.fieldValue("JABATAN").isNull());
}

void TestDataSet::deleteReread_data()
{
    QTest::addColumn<bool>("refreshAfterDelete");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("re-read keeps a row the database kept") << true << QStringList{"A", "B", "C"};
    QTest::newRow("without re-read the row drops") << false << QStringList{"A", "C"};
}

void TestDataSet::deleteReread()
{
    QFETCH(bool, refreshAfterDelete);
    QFETCH(QStringList, shown);
    // The database writes a deleted doctor back: the delete changes nothing.
    TestDatabase tdb({threeDoctors, "sql:set term ^; create trigger dokter_keep for dokter after delete as begin "
                                    "insert into dokter values (old.nama, old.nip, old.jabatan); end^ set term ;^"});
    Holder h(tdb);
    Dokter d(h, refreshAfterDelete);
    d.ds.open();
    d.ds.next();
    QSignalSpy removed(&d.ds, &DataSet::rowRemoved);
    d.ds.remove();
    QCOMPARE(names(d.ds), shown);
    QCOMPARE(removed.count(), refreshAfterDelete ? 0 : 1);
    QCOMPARE(d.ds.currentRow(), 1);
    QCOMPARE(tdb.scalar("select count(*) from dokter"), QString("3"));
}

void TestDataSet::clinicUnitsSendingZeroGetOwnIds()
{
    TestDatabase tdb;
    Holder h(tdb);
    DataSet ds(h.db, h.read, h.snapshotWrite);
    ds.setSelectSql("select * from m_poli order by upper(poli)");
    ds.setInsertSql("INSERT INTO M_POLI( ID_POLI, POLI ) VALUES( 0, :POLI )");
    ds.setRefreshSql("select * from m_poli WHERE M_POLI.ID_POLI = :OLD_ID_POLI");
    ds.setAutoCommit(true);
    ds.setRefreshAfterPost(true);
    ds.open();
    for (const char *name : {"Umum", "Gigi"}) {
        ds.insert();
        ds.setFieldValue("POLI", name);
        ds.post(); // the re-read finds nothing by the typed (empty) key: posted values stay
        QCOMPARE(ds.fieldText("POLI"), QString(name));
    }
    QCOMPARE(ds.rowCount(), 2);
    QCOMPARE(tdb.scalar("select count(distinct id_poli) from m_poli where id_poli <> 0"), QString("2"));
}

void TestDataSet::newEmployeeGetsKode()
{
    TestDatabase tdb;
    Holder h(tdb);
    DataSet ds(h.db, h.read, h.snapshotWrite);
    ds.setSelectSql("select * from employees order by upper(nama)");
    ds.setInsertSql("INSERT INTO EMPLOYEES( KODE, NAMA, PASSWD, MASTER ) VALUES( :KODE, :NAMA, :PASSWD, :MASTER )");
    ds.setAutoCommit(true);
    ds.open();
    ds.insert();
    ds.setFieldValue("NAMA", "budi");
    ds.setFieldValue("MASTER", "1"); // a flag edited as text
    ds.post();
    QCOMPARE(tdb.scalar("select count(*) from employees where kode is not null and nama = 'budi' and master = 1"),
             QString("1"));
}

void TestDataSet::insertPlacesRowAndRunsHook()
{
    TestDatabase tdb({threeDoctors});
    Holder h(tdb);
    Dokter d(h);
    int hookCalls = 0;
    d.ds.setOnNewRecord([&](DataSet &ds) {
        ++hookCalls;
        ds.setFieldValue("JABATAN", "umum");
    });
    d.ds.open();
    d.ds.next(); // on B
    QSignalSpy inserted(&d.ds, &DataSet::rowInserted);
    d.ds.insert();
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.at(0).at(0).toInt(), 1);
    QCOMPARE(d.ds.currentRow(), 1);
    QCOMPARE(d.ds.state(), DataSet::State::Insert);
    QCOMPARE(hookCalls, 1);
    QCOMPARE(d.ds.fieldText("JABATAN"), QString("umum"));
    QVERIFY(!d.ds.isModified()); // defaults are no change of the user's
    d.ds.cancel();
    QCOMPARE(names(d.ds), (QStringList{"A", "B", "C"}));
    QCOMPARE(d.ds.currentRow(), 1);

    d.ds.close();
    DataSet empty(h.db, h.read, h.snapshotWrite);
    empty.setSelectSql("select * from m_poli");
    empty.open();
    empty.insert();
    QCOMPARE(empty.currentRow(), 0);
    QCOMPARE(empty.rowCount(), 1);
}

void TestDataSet::movingPostsChangedRowAndCancelsUnchanged()
{
    TestDatabase tdb({threeDoctors});
    Holder h(tdb);
    Dokter d(h);
    d.ds.open();
    d.ds.last(); // on C
    d.ds.insert();
    d.ds.first(); // unchanged new row: cancelled, nothing written
    QCOMPARE(d.ds.rowCount(), 3);
    QCOMPARE(d.ds.currentRow(), 0);
    QCOMPARE(tdb.scalar("select count(*) from dokter"), QString("3"));

    d.ds.insert(); // before A
    d.ds.setCurrentRow(2); // to B: the unchanged row above goes, so B is row 1 again
    QCOMPARE(d.ds.fieldText("NAMA"), QString("B"));

    d.ds.edit();
    d.ds.setFieldValue("NIP", "22");
    d.ds.next(); // changed row: posted
    QCOMPARE(d.ds.state(), DataSet::State::Browse);
    QCOMPARE(d.ds.fieldText("NAMA"), QString("C"));
    QCOMPARE(tdb.scalar("select nip from dokter where nama = 'B'"), QString("22"));
}

void TestDataSet::failedPostKeepsTypedValues()
{
    TestDatabase tdb({threeDoctors});
    Holder h(tdb), other(tdb);
    Dokter d(h);
    d.ds.open();

    // A duplicate key: the new row stays in Insert with what was typed.
    d.ds.insert();
    d.ds.setFieldValue("NAMA", "A");
    d.ds.setFieldValue("NIP", "5");
    QVERIFY_THROWS_EXCEPTION(Error, d.ds.post());
    QCOMPARE(d.ds.state(), DataSet::State::Insert);
    QCOMPARE(d.ds.fieldText("NIP"), QString("5"));
    QVERIFY(!h.snapshotWrite.isActive());
    d.ds.cancel();
    QCOMPARE(d.ds.rowCount(), 3);

    // A row another holder has locked: the post fails at once as a lock conflict.
    fb::Query lock(other.db, other.snapshotWrite);
    lock.setSql("update dokter set nip = 'L' where nama = 'A'");
    lock.execute();
    d.ds.first();
    d.ds.edit();
    d.ds.setFieldValue("NIP", "7");
    const auto e = errorOf([&] { d.ds.post(); });
    QVERIFY2(e, "posted over a locked row");
    QCOMPARE(e->kind(), Error::Kind::LockConflict);
    QCOMPARE(d.ds.state(), DataSet::State::Edit);
    QCOMPARE(d.ds.fieldText("NIP"), QString("7"));
    other.snapshotWrite.rollback();
    d.ds.post(); // the retry works once the lock is gone
    QCOMPARE(tdb.scalar("select nip from dokter where nama = 'A'"), QString("7"));

    // A row another user deleted meanwhile: the update finds nothing, which is an error too.
    fb::Query drop(other.db, other.snapshotWrite);
    drop.setSql("delete from dokter where nama = 'B'");
    drop.execute();
    other.snapshotWrite.commit();
    d.ds.next();
    d.ds.edit();
    d.ds.setFieldValue("NIP", "8");
    const auto gone = errorOf([&] { d.ds.post(); });
    QVERIFY2(gone, "an update of a deleted row was taken as saved");
    QVERIFY2(gone->message().contains("not saved"), qPrintable(gone->message()));
    QCOMPARE(d.ds.state(), DataSet::State::Edit);
    QCOMPARE(d.ds.fieldText("NIP"), QString("8"));
    QVERIFY(!h.snapshotWrite.isActive());
}

void TestDataSet::closeDiscardsUnpostedEdit()
{
    TestDatabase tdb({threeDoctors});
    Holder h(tdb);
    Dokter d(h);
    d.ds.setAutoCommit(false);
    d.ds.open();
    d.ds.edit();
    d.ds.setFieldValue("NIP", "posted-uncommitted");
    d.ds.post();
    d.ds.next();
    d.ds.edit();
    d.ds.setFieldValue("NIP", "typed");
    QSignalSpy closed(&d.ds, &DataSet::closed);
    h.db.close();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!d.ds.isOpen());
    QCOMPARE(d.ds.rowCount(), 0);
    QCOMPARE(tdb.scalar("select count(*) from dokter where nip in ('typed', 'posted-uncommitted')"), QString("0"));
    d.ds.open(); // connects again on use
    QCOMPARE(d.ds.rowCount(), 3);
}

void TestDataSet::locate_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("row");
    QTest::newRow("exact") << "nama" << "B" << 1;
    QTest::newRow("case differs") << "NAMA" << "b" << -1;
    QTest::newRow("prefix only") << "JABATAN" << "dok" << -1;
    QTest::newRow("other field") << "NIP" << "3" << 2;
}

void TestDataSet::locate()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(int, row);
    TestDatabase tdb({"sql:insert into dokter values ('A', '1', 'dokter'); insert into dokter values ('B', '2', 'x');"
                      " insert into dokter values ('C', '3', 'y');"});
    Holder h(tdb);
    Dokter d(h);
    d.ds.open();
    d.ds.last();
    QCOMPARE(d.ds.locate(field, value), row >= 0);
    QCOMPARE(d.ds.currentRow(), row >= 0 ? row : 2);
}

void TestDataSet::unknownSelectParameterIsNamed()
{
    TestDatabase tdb({threeDoctors});
    Holder h(tdb);
    DataSet ds(h.db, h.read, h.snapshotWrite);
    ds.setSelectSql("select * from dokter where nama = :nama");
    ds.setParam("NAMA", "B");
    ds.open();
    QCOMPARE(ds.rowCount(), 1);
    ds.close();
    ds.setParam("jbt", "x");
    const auto e = errorOf([&] { ds.open(); });
    QVERIFY2(e, "an unknown parameter was accepted");
    QVERIFY2(e->message().contains("JBT"), qPrintable(e->message()));
}

QTEST_GUILESS_MAIN(TestDataSet)
#include "tst_fb_dataset.moc"
