// The change-password dialog against a real server: the statement built from quoted values,
// the OK button's timer rule, a wrong current password and a database error.
#include "ShellFixture.h"
#include "ViewDriver.h"

#include "Instances.h"
#include "dmMaster.h"
#include "ubahpasswdu.h"

#include "fb/Database.h"
#include "fb/Query.h"
#include "fb/Transaction.h"
#include "guard/Guard.h"
#include "widgets/DataSetTableModel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

QString sqlText(QString value) { return "'" + value.replace('\'', "''") + "'"; }

QString userSql(const QString &name, const QString &password)
{
    return "sql:insert into employees (nama, passwd) values (" + sqlText(name) + ", " + sqlText(password)
        + ");\n commit;\n";
}

const char *const Ani = "sql:insert into employees (nama, passwd) values ('ani', 'lama');\n"
                        "insert into employees (nama, passwd) values ('budi', 'lama');\n"
                        "insert into dokter values ('Andi', '101', 'Umum');\n"
                        "commit;\n";

// Opens the dialog (not modally, so the test can go on) for a user, fields filled.
void fill(const QString &user, const QString &current, const QString &fresh, const QString &confirm)
{
    Form1_ubahPasswd->labelPemakai->setText(user);
    Form1_ubahPasswd->show();
    Form1_ubahPasswd->JvEdit1->setText(current);
    Form1_ubahPasswd->JvEdit2->setText(fresh);
    Form1_ubahPasswd->JvEdit3->setText(confirm);
}

bool waitForTick()
{
    QSignalSpy tick(Form1_ubahPasswd->JvTimer1, &QTimer::timeout);
    return tick.wait(2500);
}

// Filled, and the OK button enabled by the timer's next tick.
bool fillReady(const QString &user, const QString &current, const QString &fresh)
{
    fill(user, current, fresh, fresh);
    return waitForTick() && Form1_ubahPasswd->JvImgBtn1->isEnabled();
}

} // namespace

class UbahPasswdTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        errors_.clear();
        guard::setErrorSink([this](const QString &m) { errors_ << m; });
    }
    void cleanup() { guard::setErrorSink({}); }

    void changesThePassword_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("fresh");
        QTest::newRow("plain") << "ani" << "lama" << "baru";
        QTest::newRow("quotes everywhere") << "O'Neil" << "it's" << "'; drop table employees; --";
        QTest::newRow("placeholders stay text") << "%1 %2" << "%3" << "%2%1";
        QTest::newRow("empty current password") << "dewi" << "" << "isi";
    }

    void changesThePassword()
    {
        QFETCH(QString, name);
        QFETCH(QString, current);
        QFETCH(QString, fresh);
        ShellFixture f({userSql(name, current), userSql("lain", current)});
        QVERIFY(fillReady(name, current, fresh));
        QCOMPARE(Form1_ubahPasswd->windowTitle(), "Ubah Password @" + name);
        Form1_ubahPasswd->JvImgBtn1->click();
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join('\n')));
        QVERIFY(!Form1_ubahPasswd->isVisible());
        QCOMPARE(Form1_ubahPasswd->result(), int(QDialog::Accepted));
        QVERIFY(!dataMaster->db1.isConnected());
        QCOMPARE(f.db.scalar("select count(*) from employees where nama = " + sqlText(name) + " and passwd = "
                             + sqlText(fresh)),
                 QString("1"));
        // Only that user's row changed.
        QCOMPARE(f.db.scalar("select count(*) from employees where nama = 'lain' and passwd = " + sqlText(current)),
                 QString("1"));
        QVERIFY(!Form1_ubahPasswd->JvTimer1->isActive());
    }

    void wrongCurrentPasswordSaysSoAndStaysOpen()
    {
        ShellFixture f({Ani});
        ModalRobot robot({});
        QVERIFY(fillReady("ani", "salah", "baru"));
        Form1_ubahPasswd->JvImgBtn1->click();
        QCOMPARE(robot.messages.size(), 1);
        QVERIFY2(robot.messages.first().contains("password lama salah"), qPrintable(robot.messages.first()));
        QVERIFY(Form1_ubahPasswd->isVisible());
        QCOMPARE(f.db.scalar("select passwd from employees where nama = 'ani'"), QString("lama"));
        // Corrected, the same opening succeeds.
        Form1_ubahPasswd->JvEdit1->setText("lama");
        Form1_ubahPasswd->JvImgBtn1->click();
        QVERIFY(!Form1_ubahPasswd->isVisible());
        QCOMPARE(f.db.scalar("select passwd from employees where nama = 'ani'"), QString("baru"));
    }

    void okFollowsTheConfirmationAtTheTick_data()
    {
        QTest::addColumn<QString>("fresh");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("differ only in case") << "Rahasia" << "rahasia" << false;
        QTest::newRow("both empty") << "" << "" << false;
        QTest::newRow("differ") << "abc" << "abd" << false;
        QTest::newRow("equal") << "abc" << "abc" << true;
    }

    void okFollowsTheConfirmationAtTheTick()
    {
        QFETCH(QString, fresh);
        QFETCH(QString, confirm);
        QFETCH(bool, enabled);
        ShellFixture f({Ani});
        fill("ani", "lama", fresh, confirm);
        QVERIFY2(!Form1_ubahPasswd->JvImgBtn1->isEnabled(), "OK follows the timer, not the keystroke");
        QVERIFY(waitForTick());
        QCOMPARE(Form1_ubahPasswd->JvImgBtn1->isEnabled(), enabled);
        Form1_ubahPasswd->reject();
    }

    void reopeningClearsTheFieldsAndKeepsTheCheckBox()
    {
        ShellFixture f({Ani});
        fill("ani", "a", "b", "c");
        QCOMPARE(Form1_ubahPasswd->JvEdit2->echoMode(), QLineEdit::Password);
        Form1_ubahPasswd->JvCheckBox1->click();
        QCOMPARE(Form1_ubahPasswd->JvEdit2->echoMode(), QLineEdit::Normal);
        QTest::keyClick(Form1_ubahPasswd, Qt::Key_Escape);
        QVERIFY(!Form1_ubahPasswd->isVisible());
        QCOMPARE(Form1_ubahPasswd->result(), int(QDialog::Rejected));
        QVERIFY2(!dataMaster->db1.isConnected(), "Esc touches no database");
        QCOMPARE(f.db.scalar("select passwd from employees where nama = 'ani'"), QString("lama"));

        Form1_ubahPasswd->labelPemakai->setText("budi");
        Form1_ubahPasswd->show();
        QCOMPARE(Form1_ubahPasswd->windowTitle(), QString("Ubah Password @budi"));
        for (QLineEdit *e : {Form1_ubahPasswd->JvEdit1, Form1_ubahPasswd->JvEdit2, Form1_ubahPasswd->JvEdit3}) {
            QVERIFY(e->text().isEmpty());
            QCOMPARE(e->echoMode(), QLineEdit::Normal);
        }
        Form1_ubahPasswd->JvCheckBox1->click();
        QCOMPARE(Form1_ubahPasswd->JvEdit1->echoMode(), QLineEdit::Password);
        Form1_ubahPasswd->reject();
    }

    // Another user's unfinished change of the row: the server's message, the dialog stays
    // open, and a retry once the row is free succeeds.
    void databaseErrorKeepsTheDialogOpen()
    {
        ShellFixture f({Ani});
        fb::Database other;
        other.setDatabaseName(f.db.connectionString());
        other.setUserName(TestDatabase::user());
        other.setPassword(TestDatabase::password());
        fb::Transaction tr(other, fb::TransactionParams::fromKeywords({"write", "nowait", "concurrency"}));
        fb::Query hold(other, tr);
        hold.setSql("update employees set passwd = 'lain' where nama = 'ani'");
        hold.execute();

        QVERIFY(fillReady("ani", "lama", "baru"));
        Form1_ubahPasswd->JvImgBtn1->click();
        QCOMPARE(errors_.size(), 1);
        QVERIFY2(errors_.first().contains("update conflicts", Qt::CaseInsensitive), qPrintable(errors_.first()));
        QVERIFY(Form1_ubahPasswd->isVisible());
        tr.rollback();
        QCOMPARE(f.db.scalar("select passwd from employees where nama = 'ani'"), QString("lama"));

        Form1_ubahPasswd->JvImgBtn1->click();
        QCOMPARE(errors_.size(), 1);
        QVERIFY(!Form1_ubahPasswd->isVisible());
        QCOMPARE(f.db.scalar("select passwd from employees where nama = 'ani'"), QString("baru"));
    }

    void changeEmptiesTheOpenView()
    {
        ShellFixture f({Ani});
        ViewDriver v(4);
        QCOMPARE(v.grid()->model()->rowCount(), 1);
        QVERIFY(fillReady("ani", "lama", "baru"));
        Form1_ubahPasswd->JvImgBtn1->click();
        QVERIFY(!Form1_ubahPasswd->isVisible());
        QVERIFY(!v.ds().isOpen());
        QCOMPARE(v.grid()->model()->rowCount(), 0);
        for (int i = 0; i < widgets::DBNavigator::ButtonCount; ++i)
            QVERIFY(!v.view().nav1->button(widgets::DBNavigator::Button(i))->isEnabled());
        v.reopen();
        QCOMPARE(v.grid()->model()->rowCount(), 1);
    }

private:
    QStringList errors_;
};

QTEST_MAIN(UbahPasswdTest)
#include "tst_ubahpasswd.moc"
