#include "pembuka.h"

#include "ScaledImage.h"

#include "Instances.h"
#include "zqu111.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel *makeBand(QWidget *parent, const char *name, Qt::Alignment vertical)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    QFont f("Garamond");
    f.setBold(true);
    f.setPixelSize(48);
    label->setFont(f);
    label->setStyleSheet("color: maroon; background: transparent;");
    label->setAlignment(Qt::AlignHCenter | vertical);
    label->setWordWrap(false);
    // A text wider than the view is cut at both ends, never wrapped or widening the view.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    label->setFixedHeight(TForm1_pembuka::BandHeight);
    return label;
}

} // namespace

TForm1_pembuka::TForm1_pembuka(QWidget *parent)
    : ModuleView(parent)
{
    setObjectName("Form1_pembuka");
    JvLabel1 = makeBand(this, "JvLabel1", Qt::AlignBottom);
    JvLabel1->setText("Zidazu Dirodud");
    JvLabel2 = makeBand(this, "JvLabel2", Qt::AlignTop);
    JvImage1 = new ScaledImage(this);
    JvImage1->setObjectName("JvImage1");
    JvImage1->setPixmap(QPixmap(":/images/pembuka.png"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(JvLabel1);
    layout->addWidget(JvImage1, 1);
    layout->addWidget(JvLabel2);
}

void TForm1_pembuka::FormShow()
{
    JvLabel1->setText(Form111->institutionName());
    JvLabel2->setText(Form111->institutionAddress());
}
