#include "MaintenanceView.h"

#include "Instances.h"
#include "dmMaster.h"

#include "fb/DataSet.h"
#include "fb/Database.h"
#include "guard/Guard.h"
#include "widgets/DBGrid.h"
#include "widgets/DBVerticalGrid.h"
#include "widgets/DataSource.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

using widgets::DBNavigator;

namespace {

constexpr int Margin = 3;
constexpr int StripHeight = 70;
constexpr int ColumnWidth = 70;
constexpr int IconSize = 64;

QFrame *makePanel(QWidget *parent, const char *name)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::StyledPanel);
    return panel;
}

// Database errors caught by the grid and the navigator go to the standard error report.
void reportStandardError(const QString &message) { guard::showStandardError(message); }

} // namespace

MaintenanceView::MaintenanceView(QWidget *owner, const MaintenanceViewSettings &settings)
    : ModuleView(owner)
    , dataSet_(settings.dataSet)
    , dataSource_(settings.dataSource)
    , assignedKey_(settings.assignedKey)
    , findNewRowBy_(settings.findNewRowBy)
{
    QFont f("Tahoma");
    f.setPointSize(8);
    setFont(f);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    layout->setSpacing(Margin);
    buildTitleStrip(settings.caption, settings.iconPath);
    layout->addWidget(JvPanel2);
    auto *body = new QHBoxLayout;
    body->setSpacing(Margin);
    buildMenuColumn();
    buildWorkArea();
    body->addWidget(panelMenu);
    body->addWidget(panelUtama, 1);
    layout->addLayout(body, 1);

    nav1->setVisibleButtons(settings.buttons);
    nav1->setDataSource(dataSource_);
    connect(nav1, &DBNavigator::clicked, this, [this](int button) { guard::guarded([&] { nav1Click(button); }); });
    connect(btn_close, &QToolButton::clicked, this, [this] { guard::guarded([&] { btn_closeClick(); }); });
}

void MaintenanceView::buildTitleStrip(const QString &caption, const QString &iconPath)
{
    JvPanel2 = makePanel(this, "JvPanel2");
    JvPanel2->setFixedHeight(StripHeight);
    auto *strip = new QHBoxLayout(JvPanel2);
    strip->setContentsMargins(0, 0, Margin, 0);
    strip->setSpacing(Margin);
    strip->addSpacing(ColumnWidth);
    auto *icon = new QLabel(JvPanel2);
    icon->setObjectName("JvImage1");
    icon->setFixedSize(IconSize, IconSize);
    icon->setPixmap(QPixmap(iconPath).scaled(IconSize, IconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    strip->addWidget(icon, 0, Qt::AlignVCenter);
    JvLabel2 = new QLabel(caption, JvPanel2);
    JvLabel2->setObjectName("JvLabel2");
    QFont title("Calibri");
    title.setBold(true);
    title.setPixelSize(21);
    JvLabel2->setFont(title);
    JvLabel2->setAttribute(Qt::WA_TranslucentBackground);
    strip->addWidget(JvLabel2, 1, Qt::AlignVCenter);
}

void MaintenanceView::buildMenuColumn()
{
    panelMenu = makePanel(this, "panelMenu");
    panelMenu->setFixedWidth(ColumnWidth);
    auto *column = new QVBoxLayout(panelMenu);
    column->setContentsMargins(0, Margin, 0, Margin);
    column->addStretch(1);
    btn_close = new QToolButton(panelMenu);
    btn_close->setObjectName("btn_close");
    btn_close->setFixedSize(IconSize, IconSize);
    btn_close->setIcon(QIcon(":/images/close.png"));
    btn_close->setIconSize(QSize(IconSize - 8, IconSize - 8));
    btn_close->setCursor(Qt::PointingHandCursor);
    btn_close->setToolTip("close");
    btn_close->setStyleSheet("QToolButton#btn_close { border: 1px solid palette(midlight); border-radius: 2px; }");
    column->addWidget(btn_close, 0, Qt::AlignHCenter);
}

void MaintenanceView::buildWorkArea()
{
    panelUtama = makePanel(this, "panelUtama");
    auto *area = new QVBoxLayout(panelUtama);
    area->setContentsMargins(Margin, Margin, Margin, Margin);
    panelUtama1 = new QFrame(panelUtama);
    panelUtama1->setObjectName("panelUtama1");
    area->addWidget(panelUtama1);
    auto *inner = new QVBoxLayout(panelUtama1);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->setSpacing(0);
    nav1 = new DBNavigator(panelUtama1);
    nav1->setObjectName("nav1");
    nav1->setErrorReporter(reportStandardError);
    inner->addWidget(nav1);
}

void MaintenanceView::placeDataControl(QWidget *control)
{
    control->setParent(panelUtama1);
    static_cast<QVBoxLayout *>(panelUtama1->layout())->insertWidget(0, control, 1);
}

widgets::DBGrid *MaintenanceView::makeGrid(const char *name, const widgets::GridColumns &columns, bool searchPanel,
                                           const QString &relocateKey)
{
    grid_ = new widgets::DBGrid(panelUtama1);
    grid_->setObjectName(name);
    grid_->setErrorReporter(reportStandardError);
    grid_->setColumns(columns);
    grid_->setDataSource(dataSource_);
    grid_->setSearchPanelVisible(searchPanel);
    relocateKey_ = relocateKey;
    setEditMode(false);
    placeDataControl(grid_);
    return grid_;
}

widgets::DBVerticalGrid *MaintenanceView::makeVerticalGrid(const char *name, const widgets::GridColumns &fields)
{
    verticalGrid_ = new widgets::DBVerticalGrid(panelUtama1);
    verticalGrid_->setObjectName(name);
    verticalGrid_->setErrorReporter(reportStandardError);
    verticalGrid_->setFields(fields);
    verticalGrid_->setDataSource(dataSource_);
    setEditMode(true);
    placeDataControl(verticalGrid_);
    return verticalGrid_;
}

void MaintenanceView::FormShow()
{
    guard::guarded([&] { bukaData(); });
}

void MaintenanceView::bukaData()
{
    dataMaster->db1.close();
    dataSet_->open();
}

void MaintenanceView::nav1Click(int button)
{
    if (button == DBNavigator::Insert || button == DBNavigator::Edit)
        setEditMode(true);
    else if (button == DBNavigator::Refresh)
        refreshAndRelocate();
    else if (button == DBNavigator::Post)
        readBackAssignedKey();
}

// A posted new row whose key the database assigned is not found by the refresh statement
// (it looks the row up by the key as read, which was empty), so the row would keep an empty
// key and a later edit or delete of it would silently change nothing. Reading the table
// again gives the row its stored key; the grid stays in edit mode. Names may repeat (two
// users can share one), so of the rows with the posted name the one with the highest key,
// the one the database assigned last, is the new row.
void MaintenanceView::readBackAssignedKey()
{
    if (assignedKey_.isEmpty() || !dataSet_->isOpen() || dataSet_->isEmpty()
        || !dataSet_->fieldValue(assignedKey_).isNull())
        return;
    const QString value = dataSet_->fieldText(findNewRowBy_);
    bukaData();
    const int nameField = dataSet_->fieldIndex(findNewRowBy_);
    const int keyField = dataSet_->fieldIndex(assignedKey_);
    int newest = -1;
    for (int row = 0; row < dataSet_->rowCount(); ++row) {
        if (dataSet_->value(row, nameField).toString() != value)
            continue;
        if (newest < 0 || dataSet_->value(row, keyField).toLongLong() > dataSet_->value(newest, keyField).toLongLong())
            newest = row;
    }
    if (newest >= 0)
        dataSet_->setCurrentRow(newest);
}

// Browse mode for a grid is row select without editing; the vertical grid only loses
// editing. Nothing else about the controls changes between the modes.
void MaintenanceView::setEditMode(bool on)
{
    if (grid_) {
        grid_->setEditing(on);
        grid_->setRowSelect(!on);
    }
    if (verticalGrid_)
        verticalGrid_->setEditing(on);
}

// The key is read after the navigator's own refresh, so a row renamed just now is found
// again by its new name. No match leaves the cursor on the first row.
void MaintenanceView::refreshAndRelocate()
{
    const bool relocate = !relocateKey_.isEmpty() && dataSet_->isOpen() && !dataSet_->isEmpty();
    const QString key = relocate ? dataSet_->fieldText(relocateKey_) : QString();
    setEditMode(false);
    bukaData();
    if (relocate)
        dataSet_->locate(relocateKey_, key);
}

void MaintenanceView::btn_closeClick()
{
    dataMaster->db1.close(); // an unposted row is discarded with the connection
    emit sendThroughPipe("0");
}
