#include "Program.h"

#include "About.h"
#include "dmlaporan.h"
#include "dmMaster.h"
#include "dokteru.h"
#include "feerawatu.h"
#include "frxu.h"
#include "Instances.h"
#include "kunciu.h"
#include "masterPoliu.h"
#include "masterpuskesmasu.h"
#include "pegawaiu.h"
#include "pembuka.h"
#include "ubahpasswdu.h"
#include "zqu.h"
#include "zqu111.h"

#include "guard/Guard.h"

#include <QApplication>

Program::Program(const QString &executableDir)
    : executableDir_(executableDir)
{
}

Program::~Program() { destroyAll(); }

void Program::createAll()
{
    Form1_zq = new TForm1_zq;
    Form1_kunci = new TForm1_kunci(executableDir_);
    Form1_kunci->FormCreate();
    Form111 = new TForm111(*Form1_kunci, executableDir_);
    // A session store the XML reader rejects is reported once; start-up goes on and the
    // file is replaced at exit.
    Form111->setErrorReport([](const QString &message) { guard::showStandardError(message); });
    guard::guarded([] { Form111->FormCreate(); });
    Form1_ubahPasswd = new TForm1_ubahPasswd;
    AboutBox = new TAboutBox;
    Form1_frx = new TForm1_frx;
    dataMaster = new TdataMaster;
    dataLaporan = new TdataLaporan;
    registerViews();
}

void Program::registerViews()
{
    Form1_zq->setViewFactory(0, [](QWidget *owner) { return new TForm1_pembuka(owner); });
    Form1_zq->setViewFactory(1, [](QWidget *owner) { return new TForm1_feeRawat(owner); });
    Form1_zq->setViewFactory(2, [](QWidget *owner) { return new TForm1_pegawai(owner); });
    Form1_zq->setViewFactory(3, [](QWidget *owner) { return new TForm1_masterPuskesmas(owner); });
    Form1_zq->setViewFactory(4, [](QWidget *owner) { return new TForm1_dokter(owner); });
    Form1_zq->setViewFactory(5, [](QWidget *owner) { return new TForm1_masterPoli(owner); });
}

int Program::run(instance::SingleInstance &singleInstance)
{
    Form1_zq->setSingleInstance(&singleInstance);
    if (!Form1_zq->FormShow())
        return Form1_zq->exitCode();
    Form1_zq->showMaximized();
    return QApplication::exec();
}

void Program::destroyAll()
{
    // Reverse creation order. Form111 writes the session store and Form1_kunci the
    // connection file as they go.
    delete dataLaporan;
    dataLaporan = nullptr;
    delete dataMaster;
    dataMaster = nullptr;
    delete Form1_frx;
    Form1_frx = nullptr;
    delete AboutBox;
    AboutBox = nullptr;
    delete Form1_ubahPasswd;
    Form1_ubahPasswd = nullptr;
    delete Form111;
    Form111 = nullptr;
    delete Form1_kunci;
    Form1_kunci = nullptr;
    delete Form1_zq;
    Form1_zq = nullptr;
}
