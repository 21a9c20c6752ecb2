// A changed privilege flag takes effect at the user's next sign-in, not in the running
// main window: the whole shell in-process, the users view opened through the command pipe.
#include "ShellFixture.h"

#include "Instances.h"
#include "pegawaiu.h"
#include "pembuka.h"
#include "zqu.h"

#include "fb/DataSet.h"
#include "guard/Guard.h"
#include "widgets/DBGrid.h"
#include "widgets/DataSetTableModel.h"

#include <QMenu>
#include <QToolButton>
#include <QtTest>

using Nav = widgets::DBNavigator;

namespace {

const char *const Users = "sql:insert into employees (nama, passwd, master, setting) values ('ani', 'a', 0, 1);\n"
                          "commit;\n";

void registerUsersView(TForm1_zq &window)
{
    window.setViewFactory(0, [](QWidget *owner) { return new TForm1_pembuka(owner); });
    window.setViewFactory(2, [](QWidget *owner) { return new TForm1_pegawai(owner); });
}

QModelIndex flagCell(TForm1_pegawai &view, const QString &field)
{
    widgets::DataSetTableModel *m = view.grid1->model();
    const int wanted = view.dataSet().fieldIndex(field);
    for (int c = 0; c < m->columnCount(); ++c)
        if (m->fieldIndex(c) == wanted)
            return m->index(m->modelRow(view.dataSet().currentRow()), c);
    return {};
}

} // namespace

class MasterPrivilegesTest : public QObject {
    Q_OBJECT

private slots:
    void tickedFlagsApplyAtTheNextSignIn()
    {
        ShellFixture f({Users});
        QStringList errors;
        guard::setErrorSink([&](const QString &m) { errors << m; });
        registerUsersView(*Form1_zq);
        {
            ModalRobot robot(Attempts{{"ani", "a"}});
            QVERIFY(Form1_zq->FormShow());
        }
        QCOMPARE(Form1_zq->masterPrivilege, 0);
        QCOMPARE(Form1_zq->settingPrivilege, 1);

        Form1_zq->PipeServer1PipeMessage("2");
        auto *view = qobject_cast<TForm1_pegawai *>(Form1_zq->currentView());
        QVERIFY(view);
        QVERIFY(!Form1_zq->MasterData0->menuAction()->isEnabled());
        QVERIFY(view->dataSet().locate("NAMA", "ani"));
        view->nav1->press(Nav::Edit);
        QAbstractItemModel *model = view->grid1->model();
        QVERIFY(model->setData(flagCell(*view, "MASTER"), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(model->setData(flagCell(*view, "SETTING"), Qt::Checked, Qt::CheckStateRole));
        view->nav1->press(Nav::Post);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
        QCOMPARE(f.db.scalar("select master || '/' || setting from employees where nama = 'ani'"), QString("1/1"));

        // The running window keeps what it read at its own sign-in, also back on the home view.
        QCOMPARE(Form1_zq->masterPrivilege, 0);
        view->btn_close->click();
        QTRY_VERIFY(Form1_zq->isHomeViewShown());
        QVERIFY(!Form1_zq->MasterData0->menuAction()->isEnabled());
        QVERIFY(Form1_zq->Setting0->menuAction()->isEnabled());

        // The next start of the program signs in with both menus.
        delete Form1_zq;
        Form1_zq = new TForm1_zq;
        registerUsersView(*Form1_zq);
        {
            ModalRobot robot(Attempts{{"ani", "a"}});
            QVERIFY(Form1_zq->FormShow());
        }
        QCOMPARE(Form1_zq->masterPrivilege, 1);
        QCOMPARE(Form1_zq->settingPrivilege, 1);
        QTRY_VERIFY(Form1_zq->isHomeViewShown());
        QVERIFY(Form1_zq->MasterData0->menuAction()->isEnabled());
        QVERIFY(Form1_zq->Setting0->menuAction()->isEnabled());
        guard::setErrorSink({});
    }
};

QTEST_MAIN(MasterPrivilegesTest)
#include "tst_master_privileges.moc"
