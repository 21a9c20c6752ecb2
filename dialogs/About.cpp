#include "About.h"

#include "ScaledImage.h"

#include "Instances.h"
#include "zqu111.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("AboutBox");
    QFont f("Trebuchet MS");
    f.setPointSize(10);
    setFont(f);
    setFixedSize(618, 303);
    backgroundTile_ = QPixmap(":/images/about-tile.png");

    auto *panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setGeometry(8, 8, 600, 241);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);

    ProgramIcon = new ScaledImage(panel);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setGeometry(2, 2, 215, 237);
    ProgramIcon->setPixmap(QPixmap(":/images/about.png"));

    JvgLabel1 = new QLabel(panel);
    JvgLabel1->setObjectName("JvgLabel1");
    JvgLabel1->setGeometry(308, 11, 285, 22);
    JvgLabel1->setAlignment(Qt::AlignCenter);
    QFont title("Calibri");
    title.setBold(true);
    title.setPixelSize(19);
    JvgLabel1->setFont(title);

    Label2 = new QLabel(panel);
    Label2->setObjectName("Label2");
    Label2->setGeometry(308, 39, 285, 37);
    Label2->setAlignment(Qt::AlignCenter);
    QFont version("Trebuchet MS");
    version.setBold(true);
    Label2->setFont(version);
    Label2->setStyleSheet("color: black;");

    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setGeometry(271, 258, 75, 31);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::FormShow() { Label2->setText("versi :\n" + Form111->storageUmum.value("versi").toString()); }

void TAboutBox::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TAboutBox::keyPressEvent(QKeyEvent *event)
{
    // The box has no cancel button: Esc does nothing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TAboutBox::paintEvent(QPaintEvent *event)
{
    // The background picture, tiled over the whole client area.
    QPainter p(this);
    if (!backgroundTile_.isNull())
        p.drawTiledPixmap(rect(), backgroundTile_);
    QDialog::paintEvent(event);
}
