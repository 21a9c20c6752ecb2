#include "zqu.h"

#include "CommandTable.h"
#include "SignIn.h"

#include "About.h"
#include "ModuleView.h"
#include "pembuka.h"
#include "ubahpasswdu.h"

#include "Instances.h"
#include "versionInfoUnit.h"
#include "zqu111.h"

#include "guard/Guard.h"
#include "instance/SingleInstance.h"
#include "pipes/PipeClient.h"
#include "pipes/PipeServer.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const char *const PipeName = "pipeZQ";
const char *const MainCaption = "Velmora @ Trivane";
const int PipeConnectWaitMs = 2000;
const qint64 PipeMemoryThrottle = 10240000;
} // namespace

TForm1_zq::TForm1_zq(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName("Form1_zq");
    resize(692, 491);
    QFont f("Tahoma");
    f.setPointSize(8);
    setFont(f);

    auto *central = new QWidget(this);
    auto *centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(3, 3, 3, 3);
    panelUtama = new QFrame(central);
    panelUtama->setObjectName("panelUtama");
    panelUtama->setFrameShape(QFrame::NoFrame);
    auto *panelLayout = new QVBoxLayout(panelUtama);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->addWidget(panelUtama);
    setCentralWidget(central);

    buildActions();
    buildMenus();

    PipeServer1 = new pipes::PipeServer(this);
    PipeServer1->setPipeName(PipeName);
    connect(PipeServer1, &pipes::PipeServer::pipeMessage, this,
            [this](const QByteArray &m) { guard::guarded([&] { PipeServer1PipeMessage(m); }); });
    PipeClient1 = new pipes::PipeClient(this);
    PipeClient1->setPipeName(PipeName);
    PipeClient1->setMemoryThrottle(PipeMemoryThrottle);
    connect(PipeClient1, &pipes::PipeClient::pipeMessage, this,
            [this](const QByteArray &m) { guard::guarded([&] { PipeClient1PipeMessage(m); }); });

    FormCreate();
}

TForm1_zq::~TForm1_zq()
{
    FormDestroy();
    delete currentView_;
}

void TForm1_zq::FormCreate()
{
    // A copy under another file name finds the pipe owned by the first copy; it then runs
    // without a server of its own and keeps its commands to itself (see WriteToPipe).
    try {
        PipeServer1->setActive(true);
    } catch (const std::exception &e) {
        qWarning("command pipe not available: %s", e.what());
    }
}

void TForm1_zq::FormDestroy() { PipeServer1->setActive(false); }

void TForm1_zq::setViewFactory(int number, ViewFactory factory) { viewFactories_[number] = std::move(factory); }

void TForm1_zq::setSingleInstance(instance::SingleInstance *guardObject)
{
    snglnstnc1 = guardObject;
    connect(snglnstnc1, &instance::SingleInstance::secondRun, this,
            [this] { guard::guarded([&] { snglnstnc1SecondRun(); }); });
}

QAction *TForm1_zq::action(const char *name) const
{
    for (QAction *a : ActionList1)
        if (a->objectName() == QLatin1String(name))
            return a;
    return nullptr;
}

void TForm1_zq::buildActions()
{
    for (const CommandAction &c : commandActions()) {
        auto *a = new QAction(QString::fromLatin1(c.caption), this);
        a->setObjectName(c.name);
        a->setProperty("category", QString::fromLatin1(c.category));
        a->setData(c.number);
        const int number = c.number;
        // Each action's handler sends its command number, nothing else.
        connect(a, &QAction::triggered, this, [this, number] { guard::guarded([&] { SendCommand(number); }); });
        ActionList1.append(a);
    }
}

QAction *TForm1_zq::addActionItem(QMenu *menu, const char *actionName, const char *itemName, const char *caption)
{
    QAction *linked = action(actionName);
    auto *item = menu->addAction(caption ? QString::fromLatin1(caption) : linked->text());
    item->setObjectName(itemName);
    connect(item, &QAction::triggered, linked, &QAction::trigger);
    return item;
}

void TForm1_zq::buildMenus()
{
    JvMainMenu1 = menuBar();
    JvMainMenu1->setObjectName("JvMainMenu1");

    N1 = JvMainMenu1->addAction("#");
    N1->setObjectName("N1");

    File1 = JvMainMenu1->addMenu("&File");
    File1->setObjectName("File1");
    auto *ubah = File1->addAction("Ubah Password");
    ubah->setObjectName("UbahPasswor1");
    connect(ubah, &QAction::triggered, this, [this] { guard::guarded([&] { UbahPasswor1Click(); }); });
    File1->addSeparator()->setObjectName("N5");
    auto *quit = File1->addAction("&Quit");
    quit->setObjectName("Quit1");
    connect(quit, &QAction::triggered, this, [this] { guard::guarded([&] { Quit1Click(); }); });

    MasterData0 = JvMainMenu1->addMenu("Master &Data");
    MasterData0->setObjectName("MasterData0");
    addActionItem(MasterData0, "MasterPuskesmas", "Puskesmas1");
    addActionItem(MasterData0, "MasterDokter", "Dokter1");
    addActionItem(MasterData0, "MasterPoli", "MasterPoli1");
    MasterData0->addSeparator()->setObjectName("N11");
    addActionItem(MasterData0, "masterkelompok", "MasterKelompok1");
    addActionItem(MasterData0, "MasterProdusen", "MasterProdusen1", "Master &Produsen");
    QAction *n9 = MasterData0->addSeparator();
    n9->setObjectName("N9");
    n9->setVisible(false);
    addActionItem(MasterData0, "MasterRawat", "FeeRawat1")->setVisible(false);
    MasterData0->addSeparator()->setObjectName("N2");
    addActionItem(MasterData0, "MasterNota", "JenisPenjualan1");
    addActionItem(MasterData0, "MasterServis", "ServisdanEmbalase1")->setVisible(false);

    Setting0 = JvMainMenu1->addMenu("&Setting");
    Setting0->setObjectName("Setting0");
    addActionItem(Setting0, "Pemakai", "Pemakai1");

    Help0 = JvMainMenu1->addMenu("&Help");
    Help0->setObjectName("Help0");
    auto *about = Help0->addAction("Tentang Aplikasi");
    about->setObjectName("tentangAplikasi1");
    connect(about, &QAction::triggered, this, [this] { guard::guarded([&] { tentangAplikasi1Click(); }); });
}

bool TForm1_zq::FormShow()
{
    bool started = false;
    const bool clean = guard::guarded([&] {
        if (!runSignIn())
            return;
        connectPipeClient();
        LogSessionStart();
        FinishStartup();
        started = true;
    });
    // A start-up that was left by an error would leave a window without a view that could
    // never close; the error has been shown, so the program ends instead.
    if (!started)
        exitCode_ = clean ? 0 : 1;
    return started;
}

bool TForm1_zq::runSignIn() { return signIn(*this); }

bool TForm1_zq::connectPipeClient()
{
    pipeConnectTried_ = true;
    // Only the copy that owns pipeZQ talks through it; another copy would otherwise send
    // its commands to the first one's window.
    if (!PipeServer1->isActive())
        return false;
    return PipeClient1->connectToPipe(PipeConnectWaitMs);
}

void TForm1_zq::FinishStartup()
{
    setWindowTitle(MainCaption);
    Form111->storageUmum.setValue("versi", GetVersionText());
    WriteToPipe("0");
}

void TForm1_zq::SendCommand(int number) { WriteToPipe(commandMessage(number)); }

void TForm1_zq::WriteToPipe(const QByteArray &message)
{
    if (PipeClient1->isConnected()) {
        PipeClient1->write(message);
        return;
    }
    if (!pipeConnectTried_)
        return; // before the client connected: dropped, reported nowhere
    // No pipe of our own: deliver through the event loop, as the pipe would.
    QTimer::singleShot(0, this, [this, message] { guard::guarded([&] { PipeServer1PipeMessage(message); }); });
}

void TForm1_zq::PipeServer1PipeMessage(const QByteArray &message)
{
    const std::optional<int> number = commandNumberFromMessage(message);
    if (!number)
        return; // not a number: no view changes, no re-gating
    dispatchCommand(*number);
    UpdateMenus();
}

void TForm1_zq::PipeClient1PipeMessage(const QByteArray &message)
{
    // The module never writes from the server side; read and ignored.
    Q_UNUSED(message);
}

void TForm1_zq::dispatchCommand(int number)
{
    const auto found = viewFactories_.find(number);
    if (found != viewFactories_.end())
        ShowModuleView(found->second);
}

void TForm1_zq::ShowModuleView(const ViewFactory &factory)
{
    delete currentView_; // the old view goes before the new one is made
    currentView_ = nullptr;

    QWidget *view = factory(this);
    currentView_ = view;
    view->setParent(panelUtama);
    view->setWindowFlags(Qt::Widget);
    view->resize(panelUtama->size());
    panelUtama->layout()->addWidget(view);
    if (auto *moduleView = qobject_cast<ModuleView *>(view))
        connect(moduleView, &ModuleView::sendThroughPipe, this, &TForm1_zq::WriteToPipe);
    view->show();
    if (auto *moduleView = qobject_cast<ModuleView *>(view))
        guard::guarded([&] { moduleView->FormShow(); });
}

bool TForm1_zq::isHomeViewShown() const { return qobject_cast<TForm1_pembuka *>(currentView_.data()) != nullptr; }

void TForm1_zq::UpdateMenus()
{
    const bool home = isHomeViewShown();
    MasterData0->menuAction()->setEnabled(home && masterPrivilege == 1);
    Setting0->menuAction()->setEnabled(home && settingPrivilege == 1);
    Help0->menuAction()->setEnabled(home);
}

void TForm1_zq::LogSessionStart()
{
    const QString pegawai = Form111->storageUmum.value("pegawai").toString();
    Form111->q0.setParam("ip_pemakai", pegawai);
    Form111->q0.execute();
    Form111->storageUmum.setValue("log_pemakai", Form111->q0.fieldText("LOG_KODE"));
    Form111->db1.close();
}

void TForm1_zq::LogSessionEnd()
{
    const QString logPemakai = Form111->storageUmum.value("log_pemakai").toString();
    Form111->ibsp00.setParam("IP_LOGIN", logPemakai);
    Form111->ibsp00.execute();
    Form111->db1.close();
}

void TForm1_zq::closeEvent(QCloseEvent *event)
{
    // FormCloseQuery: only the home view lets the window close; elsewhere the request is
    // refused silently. A failing session-end log keeps the window open.
    bool canClose = isHomeViewShown();
    if (canClose)
        canClose = guard::guarded([&] { LogSessionEnd(); });
    if (canClose)
        event->accept();
    else
        event->ignore();
}

void TForm1_zq::Quit1Click() { close(); }

void TForm1_zq::UbahPasswor1Click()
{
    Form1_ubahPasswd->labelPemakai->setText(Form111->storageUmum.value("pegawai").toString());
    Form1_ubahPasswd->exec();
}

void TForm1_zq::tentangAplikasi1Click()
{
    AboutBox->setWindowTitle("Tentang " + windowTitle());
    AboutBox->JvgLabel1->setText(windowTitle());
    AboutBox->exec();
}

void TForm1_zq::snglnstnc1SecondRun()
{
    QMessageBox box(QMessageBox::NoIcon, "TARVEN", "APLIKASI ZQ TEMPLATEtelah dijalankan !", QMessageBox::Ok);
    box.exec();
}
