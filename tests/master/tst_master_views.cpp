// The maintenance views against a real server: the navigator's actions through each view,
// the grid modes, re-location after Refresh and the errors the database raises.
#include "ShellFixture.h"
#include "ViewDriver.h"

#include "Instances.h"
#include "dmMaster.h"

#include "fb/DataSet.h"
#include "fb/Database.h"
#include "fb/Query.h"
#include "fb/Transaction.h"
#include "widgets/DBVerticalGrid.h"
#include "widgets/DataSetTableModel.h"
#include "widgets/GridTableView.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

using Nav = widgets::DBNavigator;

namespace {

const char *const Doctors = "sql:insert into dokter values ('Andi', '101', 'Umum');\n"
                            "insert into dokter values ('Budi', '102', 'Gigi');\n"
                            "insert into dokter values ('Citra', '103', 'Anak');\n"
                            "commit;\n";
const char *const Units = "sql:insert into m_poli (id_poli, poli) values (0, 'Umum');\n"
                          "insert into m_poli (id_poli, poli) values (0, 'Anak');\n"
                          "insert into m_poli (id_poli, poli) values (0, 'Mata');\n"
                          "commit;\n";
const char *const Users = "sql:insert into employees (nama, passwd, master, setting) values ('ani', 'a', 1, 1);\n"
                          "insert into employees (nama, passwd, master, setting) values ('budi', 'b', 0, 0);\n"
                          "insert into employees (nama, passwd, master, setting) values ('citra', 'c', 0, 0);\n"
                          "commit;\n";
const char *const Centres =
    "sql:insert into puskesmas values (1, 'Sukamaju', 'Desa A', 'Kec A', 'Kota A', 'Prop A', 1);\n"
    "insert into puskesmas values (2, 'Sukasari', 'Desa B', 'Kec B', 'Kota B', 'Prop B', 0);\n"
    "commit;\n";

QString buttonMask(const Nav &nav)
{
    QString mask;
    for (int i = 0; i < Nav::ButtonCount; ++i)
        mask += nav.isButtonVisible(Nav::Button(i)) ? '1' : '0';
    return mask;
}

// Another user of the database holding an uncommitted change of one row.
struct OtherUser {
    explicit OtherUser(const TestDatabase &tdb)
        : tr(db, fb::TransactionParams::fromKeywords({"write", "nowait", "concurrency"})), q(db, tr)
    {
        db.setDatabaseName(tdb.connectionString());
        db.setUserName(TestDatabase::user());
        db.setPassword(TestDatabase::password());
    }
    void hold(const QString &update)
    {
        q.setSql(update);
        q.execute();
    }
    fb::Database db;
    fb::Transaction tr;
    fb::Query q;
};

} // namespace

class MasterViewsTest : public QObject {
    Q_OBJECT

private slots:
    void layoutOfEachView_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<bool>("searchPanel");
        QTest::addColumn<bool>("flat");
        QTest::newRow("users") << 2 << " ->> Pemakai" << "1111111111" << false << true;
        QTest::newRow("health centres") << 3 << " ->> MASTER PUSKESMAS" << "0000001111" << false << false;
        QTest::newRow("doctors") << 4 << " ->> Dokter" << "0000101111" << true << false;
        QTest::newRow("clinic units") << 5 << " ->> Master Poli" << "0000111111" << true << false;
    }

    void layoutOfEachView()
    {
        QFETCH(int, number);
        QFETCH(QString, caption);
        QFETCH(QString, buttons);
        QFETCH(bool, searchPanel);
        QFETCH(bool, flat);
        ShellFixture f;
        ViewDriver v(number);
        MaintenanceView &view = v.view();
        QCOMPARE(view.JvLabel2->text(), caption);
        QCOMPARE(view.JvLabel2->font().pixelSize(), 21);
        QVERIFY(view.JvLabel2->font().bold());
        QCOMPARE(view.JvPanel2->height(), 70);
        QCOMPARE(view.panelMenu->width(), 70);
        QCOMPARE(view.btn_close->size(), QSize(64, 64));
        QCOMPARE(view.btn_close->toolTip(), QString("close"));
        QCOMPARE(view.btn_close->cursor().shape(), Qt::PointingHandCursor);
        // The close button sits at the bottom of its column.
        QVERIFY(view.btn_close->geometry().bottom() > view.panelMenu->height() - 10);
        QCOMPARE(view.nav1->height(), 25);
        QVERIFY(view.nav1->geometry().bottom() >= view.panelUtama1->height() - 1);
        QCOMPARE(buttonMask(*view.nav1), buttons);
        QCOMPARE(view.nav1->isFlat(), flat);
        if (v.grid()) {
            QCOMPARE(v.grid()->isSearchPanelVisible(), searchPanel);
            QVERIFY(!v.inEditMode()); // browse mode at creation
            QVERIFY(v.grid()->rowSelect());
        } else {
            QVERIFY(v.inEditMode()); // the vertical grid accepts typing at once
        }
        QVERIFY(v.ds().isOpen());
        QVERIFY(v.errors().isEmpty());
    }

    void usersGridColumns()
    {
        ShellFixture f({Users});
        ViewDriver v(2);
        widgets::DataSetTableModel *m = v.grid()->model();
        QStringList titles;
        for (int c = 0; c < m->columnCount(); ++c)
            titles << m->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titles, QStringList({"NAMA", "PASSWD", "MASTER", "BARANG", "BOX", "MANAJER", "PEMBELIAN",
                                      "PENJUALAN", "KEUANGAN", "LAPORAN", "SETTING"}));
        // The password is not drawn as typed; flags are check boxes, an empty one grayed.
        QVERIFY(!m->index(0, 1).data().toString().contains("a"));
        QCOMPARE(m->index(0, 2).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(m->index(1, 2).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QCOMPARE(m->index(0, 3).data(Qt::CheckStateRole).toInt(), int(Qt::PartiallyChecked));
    }

    // Insert, post, edit, cancel, refresh with re-locate, delete: each view's main path.
    void navigatorMainPath_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("seed");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("key");
        QTest::newRow("users") << 2 << Users << "employees" << "NAMA" << "NAMA";
        QTest::newRow("doctors") << 4 << Doctors << "dokter" << "NAMA" << "NAMA";
        QTest::newRow("clinic units") << 5 << Units << "m_poli" << "POLI" << "ID_POLI";
    }

    void navigatorMainPath()
    {
        QFETCH(int, number);
        QFETCH(QString, seed);
        QFETCH(QString, table);
        QFETCH(QString, field);
        QFETCH(QString, key);
        ShellFixture f({seed});
        ViewDriver v(number);
        const auto count = [&](const QString &value) {
            return f.db.scalar(QString("select count(*) from %1 where %2 = '%3'").arg(table, field, value));
        };
        QCOMPARE(v.ds().rowCount(), 3);
        QVERIFY2(!v.type(field, "Tidak"), "browse mode must not accept typing");

        v.press(Nav::Insert);
        QVERIFY(v.inEditMode());
        QCOMPARE(v.ds().state(), fb::DataSet::State::Insert);
        QVERIFY(v.type(field, "Baru"));
        v.press(Nav::Post);
        QCOMPARE(count("Baru"), QString("1")); // committed at once
        QVERIFY2(v.inEditMode(), "Post does not end edit mode");

        v.press(Nav::Edit);
        QVERIFY(v.type(field, "Diubah"));
        v.press(Nav::Cancel);
        QCOMPARE(count("Diubah"), QString("0"));
        QCOMPARE(v.current(field), QString("Baru"));
        QVERIFY2(v.inEditMode(), "Cancel does not end edit mode");

        // Refresh reloads and finds the row it was on again by its key.
        v.ds().last();
        const QString keyBefore = v.current(key);
        const QString valueBefore = v.current(field);
        QCOMPARE(v.ds().rowCount(), 4);
        v.press(Nav::Refresh);
        QVERIFY(!v.inEditMode());
        QVERIFY(v.grid()->rowSelect());
        QCOMPARE(v.current(key), keyBefore);
        QCOMPARE(v.current(field), valueBefore);

        // Delete asks first: the navigator's button, or Ctrl+Delete in the doctors grid.
        v.ds().locate(field, "Baru");
        v.answerDelete(true);
        if (v.view().nav1->isButtonVisible(Nav::Delete))
            v.press(Nav::Delete);
        else
            QVERIFY(v.grid()->deleteCurrentRecord());
        QCOMPARE(count("Baru"), QString("0"));
        QVERIFY(v.errors().isEmpty());
    }

    void refreshOnAnEmptyTable_data()
    {
        QTest::addColumn<int>("number");
        for (int n : {2, 3, 4, 5})
            QTest::addRow("view %d", n) << n;
    }

    void refreshOnAnEmptyTable()
    {
        QFETCH(int, number);
        ShellFixture f;
        ViewDriver v(number);
        QVERIFY(v.view().nav1->button(Nav::Refresh)->isEnabled());
        v.press(Nav::Refresh);
        QVERIFY(v.errors().isEmpty());
        QVERIFY(v.ds().isOpen());
        QCOMPARE(v.ds().rowCount(), 0);
        QVERIFY(!v.inEditMode());
    }

    void deleteRefusedChangesNothing()
    {
        ShellFixture f({Units});
        ViewDriver v(5);
        v.press(Nav::Edit);
        v.press(Nav::Cancel);
        v.answerDelete(false);
        v.press(Nav::Delete);
        QCOMPARE(f.db.scalar("select count(*) from m_poli"), QString("3"));
        QCOMPARE(v.ds().rowCount(), 3);
        QVERIFY2(v.inEditMode(), "a refused delete leaves the grid mode alone");
    }

    void refreshFindsARenamedUserByTheNewName()
    {
        ShellFixture f({Users});
        ViewDriver v(2);
        QVERIFY(v.ds().locate("NAMA", "budi"));
        v.press(Nav::Edit);
        QVERIFY(v.type("NAMA", "zaki"));
        v.press(Nav::Refresh); // posts the changed row first
        QCOMPARE(f.db.scalar("select count(*) from employees where nama = 'zaki'"), QString("1"));
        QCOMPARE(v.ds().currentRow(), 2); // ani, citra, zaki
        QCOMPARE(v.current("NAMA"), QString("zaki"));
    }

    void twoUsersWithOneNameLandOnTheFirst()
    {
        ShellFixture f({QString(Users) + "insert into employees (nama, passwd) values ('budi', 'kedua'); commit;"});
        ViewDriver v(2);
        v.ds().setCurrentRow(2); // ani, budi, budi, citra: the second "budi"
        QCOMPARE(v.current("NAMA"), QString("budi"));
        v.press(Nav::Refresh);
        QCOMPARE(v.ds().currentRow(), 1);
        QCOMPARE(v.current("NAMA"), QString("budi"));
    }

    // The key column is not written by an update: the row keeps its stored key.
    void renamedKeyIsNotStored_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("seed");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("newKey");
        QTest::addColumn<QString>("other");
        QTest::addColumn<QString>("query");
        QTest::newRow("doctor") << 4 << Doctors << "NAMA" << "Andika" << "NIP"
                                << "select nama from dokter where nip = '909'";
        QTest::newRow("health centre") << 3 << Centres << "ID_PUSKESMAS" << "77" << "NAMA"
                                       << "select id_puskesmas from puskesmas where nama = '909'";
    }

    void renamedKeyIsNotStored()
    {
        QFETCH(int, number);
        QFETCH(QString, seed);
        QFETCH(QString, key);
        QFETCH(QString, newKey);
        QFETCH(QString, other);
        QFETCH(QString, query);
        ShellFixture f({seed});
        ViewDriver v(number);
        const QString oldKey = v.current(key);
        v.press(Nav::Edit);
        QVERIFY(v.type(key, newKey));
        QVERIFY(v.type(other, "909"));
        v.press(Nav::Post);
        QVERIFY(v.errors().isEmpty());
        QCOMPARE(f.db.scalar(query), oldKey);
        QCOMPARE(v.current(key), oldKey); // re-read after the post
    }

    void healthCentreVerticalGrid()
    {
        ShellFixture f({Centres});
        ViewDriver v(3);
        QCOMPARE(v.current("ID_PUSKESMAS"), QString("1"));
        // Editing is on from the start: typing goes straight into the record.
        QVERIFY(v.type("KOTA", "Bandung"));
        QVERIFY(v.tick("ADL_AKTIF", false));
        v.press(Nav::Post);
        QCOMPARE(f.db.scalar("select kota || adl_aktif from puskesmas where id_puskesmas = 1"), QString("Bandung0"));
        v.press(Nav::Refresh);
        QVERIFY(!v.inEditMode());
        QVERIFY(!v.type("KOTA", "Garut"));
        QCOMPARE(v.ds().currentRow(), 0);
        v.press(Nav::Edit);
        QVERIFY(v.inEditMode());
        QVERIFY(v.errors().isEmpty());
    }

    // The database gives a new unit or user its key; an edit or delete of that row before
    // the next Refresh must reach the stored row, not silently change nothing.
    void newRowWithAssignedKeyIsEditable_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("seed");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        QTest::newRow("clinic unit") << 5 << Units << "m_poli" << "POLI";
        QTest::newRow("user") << 2 << Users << "employees" << "NAMA";
    }

    void newRowWithAssignedKeyIsEditable()
    {
        QFETCH(int, number);
        QFETCH(QString, seed);
        QFETCH(QString, table);
        QFETCH(QString, field);
        ShellFixture f({seed});
        ViewDriver v(number);
        const auto count = [&](const QString &value) {
            return f.db.scalar(QString("select count(*) from %1 where %2 = '%3'").arg(table, field, value));
        };
        v.press(Nav::Insert);
        QVERIFY(v.type(field, "Gigi"));
        v.press(Nav::Post);
        QVERIFY(v.inEditMode());
        QCOMPARE(v.current(field), QString("Gigi"));
        v.press(Nav::Edit);
        QVERIFY(v.type(field, "Gigi Anak"));
        v.press(Nav::Post);
        QCOMPARE(count("Gigi Anak"), QString("1"));
        QCOMPARE(count("Gigi"), QString("0"));
        v.answerDelete(true);
        v.press(Nav::Delete);
        QCOMPARE(count("Gigi Anak"), QString("0"));
        QCOMPARE(v.ds().rowCount(), 3);
        QVERIFY(v.errors().isEmpty());
    }

    // A new clinic unit posted by moving to another row keeps the empty key it was typed
    // with until a refresh; editing it before then must be refused aloud, not lost quietly.
    void newRowPostedByMovingAwayIsNotEditedSilently()
    {
        ShellFixture f({Units});
        ViewDriver v(5);
        QAbstractItemView *rows = v.grid()->view();
        const auto count = [&](const QString &name) {
            return f.db.scalar(QString("select count(*) from m_poli where poli = '%1'").arg(name));
        };
        v.press(Nav::Insert);
        QVERIFY(v.type("POLI", "Gigi"));
        const int fresh = v.ds().currentRow();
        rows->setCurrentIndex(rows->model()->index(fresh == 0 ? 1 : 0, 0)); // moving away posts it
        QCOMPARE(count("Gigi"), QString("1"));
        rows->setCurrentIndex(rows->model()->index(fresh, 0));
        v.press(Nav::Edit);
        QVERIFY(v.type("POLI", "Gigi Anak"));
        v.press(Nav::Post);
        QCOMPARE(v.errors().size(), 1);
        QVERIFY2(v.errors().first().contains("not saved"), qPrintable(v.errors().first()));
        QCOMPARE(v.current("POLI"), QString("Gigi Anak")); // what was typed is still there

        v.press(Nav::Cancel);
        v.press(Nav::Refresh);
        QVERIFY(v.ds().locate("POLI", "Gigi"));
        QVERIFY(!v.current("ID_POLI").isEmpty());
        v.press(Nav::Edit);
        QVERIFY(v.type("POLI", "Gigi Anak"));
        v.press(Nav::Post);
        QCOMPARE(count("Gigi Anak"), QString("1"));
        QCOMPARE(count("Gigi"), QString("0"));
        QCOMPARE(v.errors().size(), 1);
    }

    void newUserSharingANameIsTheRowThatIsEdited()
    {
        ShellFixture f({Users});
        ViewDriver v(2);
        v.press(Nav::Insert);
        QVERIFY(v.type("NAMA", "ani"));
        QVERIFY(v.type("PASSWD", "baru"));
        v.press(Nav::Post);
        v.press(Nav::Edit);
        QVERIFY(v.type("PASSWD", "lagi"));
        v.press(Nav::Post);
        // The older "ani" keeps her password; the new one got the edit.
        QCOMPARE(f.db.scalar("select passwd from employees where nama = 'ani' order by kode rows 1"), QString("a"));
        QCOMPARE(f.db.scalar("select passwd from employees where nama = 'ani' order by kode desc rows 1"),
                 QString("lagi"));
        QVERIFY(v.errors().isEmpty());
    }

    void halfTypedRowIsLostOnClose()
    {
        ShellFixture f({Doctors});
        ViewDriver v(4);
        v.press(Nav::Insert);
        QVERIFY(v.type("NAMA", "Setengah"));
        QCOMPARE(v.close(), QByteArrayList{"0"});
        QVERIFY(!dataMaster->db1.isConnected());
        QCOMPARE(f.db.scalar("select count(*) from dokter"), QString("3"));
        v.reopen();
        QCOMPARE(v.ds().rowCount(), 3);
        QVERIFY(!v.ds().locate("NAMA", "Setengah"));
    }

    void searchPanelFiltersAsOneTypes()
    {
        ShellFixture f({Doctors});
        ViewDriver v(4);
        v.grid()->searchBox()->setText("gi"); // Budi's position "Gigi"
        QCOMPARE(v.grid()->model()->rowCount(), 1);
        QCOMPARE(v.current("NAMA"), QString("Budi"));
        v.grid()->searchBox()->clear();
        QCOMPARE(v.grid()->model()->rowCount(), 3);
    }

    // What the database refuses is shown with the server's message; the row stays in its
    // editing state and nothing committed is lost.
    void refusedWritesKeepTheRow_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("message");
        QTest::newRow("text longer than the column") << "long" << "truncation";
        QTest::newRow("duplicate key") << "duplicate" << "PRIMARY or UNIQUE KEY";
        QTest::newRow("row locked by another user") << "locked" << "update conflicts";
    }

    void refusedWritesKeepTheRow()
    {
        QFETCH(QString, what);
        QFETCH(QString, message);
        ShellFixture f({Doctors});
        OtherUser other(f.db);
        ViewDriver v(4);
        fb::DataSet::State expected = fb::DataSet::State::Insert;
        if (what == "locked") {
            other.hold("update dokter set jabatan = 'Lain' where nama = 'Andi'");
            QVERIFY(v.ds().locate("NAMA", "Andi"));
            v.press(Nav::Edit);
            QVERIFY(v.type("JABATAN", "Bedah"));
            expected = fb::DataSet::State::Edit;
        } else {
            v.press(Nav::Insert);
            QVERIFY(v.type("NAMA", what == "long" ? QString(60, 'x') : QString("Andi")));
        }
        v.press(Nav::Post);
        QCOMPARE(v.errors().size(), 1);
        QVERIFY2(v.errors().first().contains(message, Qt::CaseInsensitive), qPrintable(v.errors().first()));
        QCOMPARE(v.ds().state(), expected);
        QVERIFY(v.inEditMode());
        other.tr.rollback();
        QCOMPARE(f.db.scalar("select count(*) from dokter"), QString("3"));
        QCOMPARE(f.db.scalar("select jabatan from dokter where nama = 'Andi'"), QString("Umum"));
        // The user can cancel and carry on.
        v.press(Nav::Cancel);
        QCOMPARE(v.ds().state(), fb::DataSet::State::Browse);
    }

    void deleteTheDatabaseRefusesKeepsTheRow()
    {
        ShellFixture f({Units, "sql:create exception poli_dipakai 'Poli masih dipakai';\n"
                               "set term ^ ;\n"
                               "create trigger m_poli_bd for m_poli before delete as\n"
                               "begin exception poli_dipakai; end^\n"
                               "set term ; ^\ncommit;\n"});
        ViewDriver v(5);
        const QString name = v.current("POLI");
        v.answerDelete(true);
        v.press(Nav::Delete);
        QCOMPARE(v.errors().size(), 1);
        QVERIFY2(v.errors().first().contains("Poli masih dipakai"), qPrintable(v.errors().first()));
        QCOMPARE(v.ds().rowCount(), 3);
        QCOMPARE(v.current("POLI"), name);
        QCOMPARE(f.db.scalar("select count(*) from m_poli"), QString("3"));
    }

    // The server drops the connection under an open view: the next action reports it, and
    // the view works again after Refresh, or after it is opened anew.
    void connectionKilledUnderAnOpenView()
    {
        ShellFixture f({Doctors});
        ViewDriver v(4);
        QVERIFY(dataMaster->db1.isConnected());
        f.db.isql("delete from mon$attachments where mon$attachment_id <> current_connection; commit;");
        v.press(Nav::Edit);
        QVERIFY(v.type("JABATAN", "Bedah"));
        v.press(Nav::Post);
        QCOMPARE(v.errors().size(), 1);
        QCOMPARE(v.ds().state(), fb::DataSet::State::Edit); // the typed change is still there
        v.press(Nav::Post); // a fresh connection
        QCOMPARE(v.errors().size(), 1);
        QCOMPARE(f.db.scalar("select jabatan from dokter where nama = 'Andi'"), QString("Bedah"));

        f.db.isql("delete from mon$attachments where mon$attachment_id <> current_connection; commit;");
        v.press(Nav::Refresh);
        v.press(Nav::Refresh);
        QVERIFY(v.ds().isOpen());
        QCOMPARE(v.ds().rowCount(), 3);

        f.db.isql("delete from mon$attachments where mon$attachment_id <> current_connection; commit;");
        v.reopen();
        QCOMPARE(v.ds().rowCount(), 3);
        QCOMPARE(v.current("JABATAN"), QString("Bedah"));
    }
};

QTEST_MAIN(MasterViewsTest)
#include "tst_master_views.moc"
