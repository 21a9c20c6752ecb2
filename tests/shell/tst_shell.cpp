// The main window's logic in-process: command table, view hosting, menu gating, closing,
// sign-in and the session log, against a real server.
#include "ShellFixture.h"

#include "CommandTable.h"
#include "Instances.h"
#include "ModuleView.h"
#include "kunciu.h"
#include "pembuka.h"
#include "zqu.h"
#include "zqu111.h"

#include "guard/Guard.h"
#include "pipes/PipeClient.h"
#include "pipes/PipeServer.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QtTest>

namespace {

// A stand-in module view that says which command made it.
class NumberedView : public ModuleView {
public:
    NumberedView(int number, QWidget *owner)
        : ModuleView(owner)
    {
        setObjectName(QString("view%1").arg(number));
    }
    void FormShow() override { ++shown; }
    int shown = 0;
};

void registerTestViews(TForm1_zq &window)
{
    window.setViewFactory(0, [](QWidget *owner) { return new TForm1_pembuka(owner); });
    for (int n = 1; n <= 5; ++n)
        window.setViewFactory(n, [n](QWidget *owner) { return new NumberedView(n, owner); });
}

QString hostedName() { return Form1_zq->currentView() ? Form1_zq->currentView()->objectName() : QString(); }

const char *const SignInUsers =
    "sql:insert into employees (nama, passwd, master, setting) values ('ani', 'rahasia', 1, 0);\n"
    "insert into employees (nama, passwd, master, setting) values ('budi', 'b', null, 1);\n"
    "commit;\n";

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void commandMessages_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("expectedView");
        QTest::addColumn<bool>("regated");
        QTest::newRow("0 home") << QByteArray("0") << "Form1_pembuka" << true;
        for (int n = 1; n <= 5; ++n)
            QTest::newRow(qPrintable(QString("%1 view").arg(n))) << QByteArray::number(n) << QString("view%1").arg(n) << true;
        for (int n : {6, 15, 27, 39, 41, -1, 99})
            QTest::newRow(qPrintable(QString("%1 no view").arg(n))) << QByteArray::number(n) << "Form1_pembuka" << true;
        QTest::newRow("letter x") << QByteArray("x") << "Form1_pembuka" << false;
        QTest::newRow("empty message") << QByteArray() << "Form1_pembuka" << false;
        QTest::newRow("digits and garbage") << QByteArray("3x") << "Form1_pembuka" << false;
    }

    void commandMessages()
    {
        QFETCH(QByteArray, message);
        QFETCH(QString, expectedView);
        QFETCH(bool, regated);
        ShellFixture f;
        registerTestViews(*Form1_zq);
        Form1_zq->PipeServer1PipeMessage("0");
        // Privileges change behind the menus' back; only a re-gate shows it.
        Form1_zq->masterPrivilege = 1;
        Form1_zq->PipeServer1PipeMessage(message);
        QCOMPARE(hostedName(), expectedView);
        const bool home = expectedView == "Form1_pembuka";
        QCOMPARE(Form1_zq->MasterData0->menuAction()->isEnabled(), regated && home);
    }

    void menuGating_data()
    {
        QTest::addColumn<int>("master");
        QTest::addColumn<int>("setting");
        QTest::addColumn<bool>("home");
        QTest::addColumn<bool>("masterOpen");
        QTest::addColumn<bool>("settingOpen");
        QTest::newRow("both 1, home") << 1 << 1 << true << true << true;
        QTest::newRow("master 1 only") << 1 << 0 << true << true << false;
        QTest::newRow("setting 1 only") << 0 << 1 << true << false << true;
        QTest::newRow("value 2 grants nothing") << 2 << 2 << true << false << false;
        QTest::newRow("both 1, other view") << 1 << 1 << false << false << false;
    }

    void menuGating()
    {
        QFETCH(int, master);
        QFETCH(int, setting);
        QFETCH(bool, home);
        QFETCH(bool, masterOpen);
        QFETCH(bool, settingOpen);
        ShellFixture f;
        registerTestViews(*Form1_zq);
        Form1_zq->masterPrivilege = master;
        Form1_zq->settingPrivilege = setting;
        Form1_zq->PipeServer1PipeMessage(home ? "0" : "4");
        QCOMPARE(Form1_zq->MasterData0->menuAction()->isEnabled(), masterOpen);
        QCOMPARE(Form1_zq->Setting0->menuAction()->isEnabled(), settingOpen);
        QCOMPARE(Form1_zq->Help0->menuAction()->isEnabled(), home);
        QVERIFY(Form1_zq->File1->menuAction()->isEnabled());
        QVERIFY(Form1_zq->N1->isEnabled());
    }

    void menusAndActions()
    {
        ShellFixture f;
        QCOMPARE(Form1_zq->action("MasterDokter")->data().toInt(), 4);
        QCOMPARE(Form1_zq->action("MasterProdusen")->text(), QString("Master &Produsen Obat"));
        QCOMPARE(Form1_zq->action("MasterRawat")->property("category").toString(), QString("MasterData"));
        QStringList hidden;
        for (QAction *a : Form1_zq->MasterData0->actions())
            if (!a->isVisible())
                hidden << a->objectName();
        QCOMPARE(hidden, QStringList({"N9", "FeeRawat1", "ServisdanEmbalase1"}));
        QAction *produsen = Form1_zq->MasterData0->findChild<QAction *>("MasterProdusen1");
        QVERIFY(produsen == nullptr || produsen->text() == "Master &Produsen");
    }

    void eachCommandMakesANewView()
    {
        ShellFixture f;
        registerTestViews(*Form1_zq);
        Form1_zq->PipeServer1PipeMessage("3");
        QPointer<QWidget> first = Form1_zq->currentView();
        QCOMPARE(static_cast<NumberedView *>(first.data())->shown, 1);
        Form1_zq->PipeServer1PipeMessage("3");
        QVERIFY(first.isNull()); // the old view was destroyed
        QCOMPARE(hostedName(), QString("view3"));
        QCOMPARE(static_cast<NumberedView *>(Form1_zq->currentView())->shown, 1);
        QCOMPARE(Form1_zq->currentView()->parentWidget(), Form1_zq->panelUtama);
    }

    void commandsThroughThePipeArriveInOrder()
    {
        ShellFixture f;
        registerTestViews(*Form1_zq);
        pipes::PipeClient client;
        client.setPipeName("pipeZQ");
        QVERIFY(client.connectToPipe(2000));
        QVERIFY(client.write(commandMessage(3)));
        QVERIFY(client.write(commandMessage(4)));
        QTRY_COMPARE(hostedName(), QString("view4"));
        QTest::qWait(100);
        QCOMPARE(hostedName(), QString("view4"));
    }

    void floodAndGarbageOnThePipeEndOnTheLastValidCommand()
    {
        ShellFixture f;
        registerTestViews(*Form1_zq);
        pipes::PipeClient client;
        client.setPipeName("pipeZQ");
        QVERIFY(client.connectToPipe(2000));
        for (int i = 0; i < 10000; ++i)
            client.write(commandMessage(1 + i % 5));
        client.write(QByteArray("garbage\x01\xff"));
        client.write(QByteArray());
        client.write(QByteArray(70 * 1024, '7')); // over the pipe's limit: dropped
        client.write(commandMessage(4));
        client.write(QByteArray("x"));
        client.flush();
        QTRY_COMPARE_WITH_TIMEOUT(hostedName(), QString("view4"), 30000);
        QTest::qWait(200);
        QCOMPARE(hostedName(), QString("view4"));
        QVERIFY(Form1_zq->PipeServer1->isActive());
    }

    void closesOnlyFromHomeAndLogsTheSessionEnd()
    {
        ShellFixture f({SignInUsers});
        registerTestViews(*Form1_zq);
        Form111->storageUmum.setValue("pegawai", "ani");
        Form1_zq->LogSessionStart();
        const QString code = Form111->storageUmum.value("log_pemakai").toString();
        QVERIFY(!code.isEmpty());
        QVERIFY(!Form111->db1.isConnected());

        Form1_zq->show();
        Form1_zq->PipeServer1PipeMessage("2");
        QVERIFY(!Form1_zq->close()); // refused silently
        QVERIFY(Form1_zq->isVisible());
        QCOMPARE(f.db.scalar("select count(*) from log_pemakai where selesai is not null"), QString("0"));

        Form1_zq->PipeServer1PipeMessage("0");
        QVERIFY(Form1_zq->close());
        QCOMPARE(f.db.scalar("select pemakai from log_pemakai where log_kode = '" + code + "' and selesai is not null"),
                 QString("ani"));
    }

    void signIn_data()
    {
        QTest::addColumn<Attempts>("attempts");
        QTest::addColumn<bool>("signedIn");
        QTest::addColumn<int>("messages");
        QTest::addColumn<int>("dialogs");
        QTest::newRow("right at once") << Attempts{{"ani", "rahasia"}} << true << 0 << 1;
        QTest::newRow("wrong, wrong, right") << Attempts{{"ani", "x"}, {"", ""}, {"ani", "rahasia"}} << true << 2 << 3;
        QTest::newRow("three wrong") << Attempts{{"ani", "x"}, {"ANI", "rahasia"}, {"ani", "Rahasia"}} << false << 3 << 3;
        QTest::newRow("cancel") << Attempts{} << false << 0 << 1;
    }

    void signIn()
    {
        QFETCH(Attempts, attempts);
        QFETCH(bool, signedIn);
        QFETCH(int, messages);
        QFETCH(int, dialogs);
        ShellFixture f({SignInUsers});
        registerTestViews(*Form1_zq);
        ModalRobot robot(attempts);
        QCOMPARE(Form1_zq->FormShow(), signedIn);
        QCOMPARE(robot.signInDialogs, dialogs);
        QCOMPARE(robot.messages.size(), messages);
        for (const QString &m : robot.messages)
            QCOMPARE(m, QString("Salah: User ID atau Password Salah"));
        const QString logged = f.db.scalar("select count(*) from log_pemakai");
        if (!signedIn) {
            QCOMPARE(Form1_zq->exitCode(), 0);
            QCOMPARE(logged, QString("0"));
            return;
        }
        QCOMPARE(Form1_zq->windowTitle(), QString("Velmora @ Trivane"));
        QCOMPARE(Form111->storageUmum.value("pegawai").toString(), QString("ani"));
        QCOMPARE(Form1_zq->masterPrivilege, 1);
        QCOMPARE(Form1_zq->settingPrivilege, 0);
        QCOMPARE(logged, QString("1"));
        QCOMPARE(f.db.scalar("select log_kode from log_pemakai"), Form111->storageUmum.value("log_pemakai").toString());
        QTRY_COMPARE(hostedName(), QString("Form1_pembuka")); // command 0 arrives through the pipe
        QVERIFY(Form1_zq->MasterData0->menuAction()->isEnabled());
        QVERIFY(!Form1_zq->Setting0->menuAction()->isEnabled());
    }

    void nullPrivilegeReadsZero()
    {
        ShellFixture f({SignInUsers});
        registerTestViews(*Form1_zq);
        ModalRobot robot(Attempts{{"budi", "b"}});
        QVERIFY(Form1_zq->FormShow());
        QCOMPARE(Form1_zq->masterPrivilege, 0);
        QCOMPARE(Form1_zq->settingPrivilege, 1);
    }

    void unreachableDatabaseEndsStartupWithTheError()
    {
        ShellFixture f({SignInUsers});
        QStringList reported;
        guard::setErrorSink([&](const QString &m) { reported << m; });
        // The connection file names a database that does not exist.
        writeConnectionFile(f.exeDir.path(), f.db.path() + ".nothere");
        Form1_kunci->FormCreate();
        ModalRobot robot(Attempts{{"ani", "rahasia"}});
        QVERIFY(!Form1_zq->FormShow());
        QCOMPARE(Form1_zq->exitCode(), 1);
        QCOMPARE(reported.size(), 1);
        QVERIFY2(reported.first().contains("nothere"), qPrintable(reported.first()));
        guard::setErrorSink({});
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
