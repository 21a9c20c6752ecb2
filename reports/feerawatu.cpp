#include "feerawatu.h"

#include "FeeGridModel.h"
#include "GridColumnLayout.h"
#include "Instances.h"
#include "dmlaporan.h"
#include "frxu.h"
#include "zqu111.h"

#include "fb/DataSet.h"
#include "fb/Database.h"
#include "fb/Query.h"
#include "guard/Guard.h"
#include "messaging/TcpMessagingClient.h"
#include "storage/FormStorage.h"

#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int titleHeight = 70;
constexpr int buttonColumnWidth = 70;
constexpr int periodStripHeight = 86;
constexpr int glyphSize = 64;

QToolButton *glyphButton(QWidget *parent, const char *name, const char *icon, const char *hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(glyphSize - 8, glyphSize - 8));
    button->setFixedSize(glyphSize, glyphSize);
    button->setToolTip(hint);
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoRaise(true); // a light frame, drawn when the pointer is over it
    return button;
}

} // namespace

TForm1_feeRawat::TForm1_feeRawat(QWidget *parent)
    : ModuleView(parent)
{
    setObjectName("Form1_feeRawat");
    buildLayout();
    ctcp = new messaging::TcpMessagingClient(this);
    ctcp->setObjectName("ctcp");
    ctcp->setHost(QStringLiteral("127.0.0.1"));
    ctcp->setPort(messagingPort);
    ctcp->setRoom(QStringLiteral("lorvek3"));
    ctcp->setUserName(QStringLiteral("radivir"));
    // A refused connection is told once; the view works on without the room.
    connect(ctcp, &messaging::TcpMessagingClient::errorOccurred, this,
            [](const QString &message) { guard::showStandardError(message); });
    keepGridLayout();
    connect(JvSpinEdit1, &QSpinBox::valueChanged, this, &TForm1_feeRawat::JvSpinEdit1Change);
    connect(JvComboBox1, &QComboBox::currentTextChanged, this, &TForm1_feeRawat::JvComboBox1Change);
    connect(btn_cetak, &QToolButton::clicked, this, &TForm1_feeRawat::btn_cetakClick);
    connect(btn_close, &QToolButton::clicked, this, &TForm1_feeRawat::btn_closeClick);
}

TForm1_feeRawat::~TForm1_feeRawat()
{
    // The session store belongs to Form111; at the very end of a run it may be gone already.
    if (Form111)
        guard::guarded([this] { JvFormStorage1->save(); });
    ctcp->disconnectFromServer();
}

void TForm1_feeRawat::buildLayout()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(buildTitleStrip());
    auto *body = new QHBoxLayout;
    body->setSpacing(0);
    body->addWidget(buildButtonColumn());
    body->addWidget(buildMainArea(), 1);
    outer->addLayout(body, 1);
}

QWidget *TForm1_feeRawat::buildTitleStrip()
{
    auto *strip = new QWidget(this);
    strip->setObjectName("titleStrip");
    strip->setFixedHeight(titleHeight);
    auto *icon = new QLabel(strip);
    icon->setObjectName("JvImage1");
    icon->setFixedSize(glyphSize, glyphSize);
    icon->setScaledContents(true);
    icon->setPixmap(QPixmap(":/images/fee.png"));
    auto *title = new QLabel(QStringLiteral(" ->> Fee Rawat Aplikasi"), strip);
    title->setObjectName("JvLabel1");
    QFont font(QStringLiteral("Calibri"));
    font.setBold(true);
    font.setPixelSize(21);
    title->setFont(font);
    auto *row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addSpacing(buttonColumnWidth);
    row->addWidget(icon, 0, Qt::AlignVCenter);
    row->addWidget(title, 1, Qt::AlignVCenter);
    return strip;
}

QWidget *TForm1_feeRawat::buildButtonColumn()
{
    auto *column = new QWidget(this);
    column->setObjectName("buttonColumn");
    column->setFixedWidth(buttonColumnWidth);
    btn_cetak = glyphButton(column, "btn_cetak", ":/images/cetak.png", "cetak data");
    btn_close = glyphButton(column, "btn_close", ":/images/close.png", "close");
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->addWidget(btn_cetak);
    layout->addStretch(1);
    layout->addWidget(btn_close);
    return column;
}

QWidget *TForm1_feeRawat::buildMainArea()
{
    auto *area = new QWidget(this);
    auto *strip = new QWidget(area);
    strip->setFixedHeight(periodStripHeight);
    JvSpinEdit1 = new QSpinBox(strip);
    JvSpinEdit1->setObjectName("JvSpinEdit1");
    JvSpinEdit1->setFixedWidth(70);
    JvSpinEdit1->setRange(0, 99999);
    JvSpinEdit1->setSingleStep(1);
    JvSpinEdit1->setKeyboardTracking(true); // every keystroke counts as a change
    JvComboBox1 = new QComboBox(strip);
    JvComboBox1->setObjectName("JvComboBox1");
    JvComboBox1->setFixedWidth(145);
    JvComboBox1->setEditable(true);
    JvComboBox1->setInsertPolicy(QComboBox::NoInsert); // typed text never becomes an item
    JvComboBox1->setCompleter(nullptr);                // the text is the user's, not a guess
    auto *stripLayout = new QHBoxLayout(strip);
    stripLayout->addWidget(JvSpinEdit1);
    stripLayout->addWidget(JvComboBox1);
    stripLayout->addStretch(1);

    grid1 = new QTableView(area);
    grid1->setObjectName("grid1");
    gridModel_ = new FeeGridModel(*Form1_frx->qfeerawat,
                                  {{"TANGGAL", false}, {"JML", true}, {"NILAI_FEE", true}}, grid1);
    grid1->setModel(gridModel_);
    grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid1->setShowGrid(true);
    grid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid1->horizontalHeader()->setSectionsMovable(true);
    grid1->verticalHeader()->setVisible(true);
    grid1->verticalHeader()->setDefaultSectionSize(grid1->fontMetrics().height() + 6);

    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(strip);
    layout->addWidget(grid1, 1);
    return area;
}

// The grid's columns are kept in this view's section of the session store.
void TForm1_feeRawat::keepGridLayout()
{
    JvFormStorage1 = std::make_unique<FormStorage>(Form111->xml, objectName());
    JvFormStorage1->addProperty(
        "grid1.Columns", [this] { return gridlayout::columnLayout(*grid1->horizontalHeader()); },
        [this](const QString &value) { gridlayout::applyColumnLayout(*grid1->horizontalHeader(), value); });
}

int TForm1_feeRawat::selectedMonth() const
{
    const int index = JvComboBox1->currentIndex();
    if (index >= 0 && JvComboBox1->itemText(index) == JvComboBox1->currentText())
        return index + 1;
    return JvComboBox1->findText(JvComboBox1->currentText(), Qt::MatchFixedString) + 1;
}

void TForm1_feeRawat::FormShow()
{
    siap = false;
    JvSpinEdit1->setFocus(); // the period is what one changes first
    ctcp->connectToServer();
    JvFormStorage1->restore();
    // A failed set-up leaves siap false: changes reload nothing until a print.
    guard::guarded([this] {
        isiPeriode();
        bukaData();
    });
}

void TForm1_feeRawat::isiPeriode()
{
    const QDate today = QDate::currentDate();
    fb::Query &qbuka = *dataLaporan->qbuka;
    qbuka.close();
    qbuka.clearSql();
    qbuka.addSql("select bulan_teks from m_bulan order by bulan");
    qbuka.execute();
    JvComboBox1->clear();
    for (int row = 0; row < qbuka.rowCount(); ++row)
        JvComboBox1->addItem(qbuka.value(row, 0).toString());
    JvComboBox1->setCurrentIndex(today.month() - 1);
    JvSpinEdit1->setValue(today.year());
    qbuka.close();
}

void TForm1_feeRawat::openPeriodData()
{
    Form1_frx->openPeriod({Form111->institutionName(), Form111->institutionAddress(), JvSpinEdit1->value(),
                           selectedMonth()});
}

void TForm1_feeRawat::bukaData()
{
    openPeriodData();
    siap = true;
}

void TForm1_feeRawat::JvSpinEdit1Change()
{
    if (siap)
        guard::guarded([this] { bukaData(); });
}

void TForm1_feeRawat::JvComboBox1Change()
{
    if (siap)
        guard::guarded([this] { bukaData(); });
}

void TForm1_feeRawat::btn_cetakClick()
{
    guard::guarded([this] {
        openPeriodData();
        Form1_frx->showFeeReport(window());
    });
    // The grid shows freshly read data after every print, also after a failed one, and
    // the view is ready for changes from here on even if this reload fails too.
    guard::guarded([this] { bukaData(); });
    siap = true;
}

void TForm1_feeRawat::btn_closeClick()
{
    guard::guarded([this] {
        dataLaporan->db1.close();
        ctcp->sendText(QStringLiteral("0"));
    });
    // Back to the home view through the command pipe, so the user is never left in a
    // view without a way out; sent last, after this handler's own work.
    emit sendThroughPipe(QByteArrayLiteral("0"));
}

void TForm1_feeRawat::FormClose() { ctcp->disconnectFromServer(); }

void TForm1_feeRawat::closeEvent(QCloseEvent *event)
{
    FormClose();
    ModuleView::closeEvent(event);
}
