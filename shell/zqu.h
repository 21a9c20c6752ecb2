#pragma once

#include <QByteArray>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>

class QAction;
class QFrame;
class QMenu;
class QMenuBar;
namespace pipes {
class PipeServer;
class PipeClient;
}
namespace instance {
class SingleInstance;
}

// The main window: hosts one module view at a time in panelUtama, chosen only by command
// numbers that arrive on the command pipe; gates its menus by the current view and the
// signed-in user's privileges; closes only from the home view.
class TForm1_zq : public QMainWindow {
    Q_OBJECT
public:
    // Makes a module view with the main window as owner.
    using ViewFactory = std::function<QWidget *(QWidget *owner)>;

    explicit TForm1_zq(QWidget *parent = nullptr);
    ~TForm1_zq() override;

    // The view each command number hosts; numbers without a factory host nothing.
    void setViewFactory(int number, ViewFactory factory);
    // Answers later starts of a program with the same file name.
    void setSingleInstance(instance::SingleInstance *guard);

    // The start-up sequence: sign-in, pipe client, session-start log, FinishStartup.
    // Returns false when the program is to end instead (cancel, three failed sign-ins, or an
    // error, which has been reported); exitCode() then tells with which code.
    bool FormShow();
    int exitCode() const { return exitCode_; }

    void FinishStartup();
    void ShowModuleView(const ViewFactory &factory);
    void UpdateMenus();
    void SendCommand(int number);
    // Writes a message through PipeClient1 (the literal "0" of the closing views). When this
    // window does not own the pipe, the message is handed to its own handler instead, after
    // the caller's handler has returned, so views still switch.
    void WriteToPipe(const QByteArray &message);
    void LogSessionStart();
    void LogSessionEnd();

    void PipeServer1PipeMessage(const QByteArray &message);
    void PipeClient1PipeMessage(const QByteArray &message);

    QWidget *currentView() const { return currentView_; }
    bool isHomeViewShown() const;
    int masterPrivilege = 0;
    int settingPrivilege = 0;

    // Components, named as the rest of the program knows them.
    QFrame *panelUtama = nullptr;
    QMenuBar *JvMainMenu1 = nullptr;
    QList<QAction *> ActionList1;
    pipes::PipeServer *PipeServer1 = nullptr;
    pipes::PipeClient *PipeClient1 = nullptr;
    instance::SingleInstance *snglnstnc1 = nullptr;
    QMenu *File1 = nullptr;
    QMenu *MasterData0 = nullptr;
    QMenu *Setting0 = nullptr;
    QMenu *Help0 = nullptr;
    QAction *N1 = nullptr;

    QAction *action(const char *name) const;

    void UbahPasswor1Click();
    void tentangAplikasi1Click();
    void Quit1Click();
    void snglnstnc1SecondRun();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormDestroy();
    bool runSignIn();
    bool connectPipeClient();
    void buildActions();
    void buildMenus();
    QAction *addActionItem(QMenu *menu, const char *actionName, const char *itemName, const char *caption = nullptr);
    void dispatchCommand(int number);

    QPointer<QWidget> currentView_;
    std::map<int, ViewFactory> viewFactories_;
    bool pipeConnectTried_ = false;
    int exitCode_ = 0;
};
