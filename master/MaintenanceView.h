#pragma once

#include "ModuleView.h"

#include "widgets/DBNavigator.h"
#include "widgets/DataSource.h"
#include "widgets/GridColumn.h"

#include <QList>
#include <QString>

class QFrame;
class QLabel;
class QToolButton;
namespace fb {
class DataSet;
}
namespace widgets {
class DBGrid;
class DBVerticalGrid;
} // namespace widgets

// A grid column over a field, titled with the field name.
inline widgets::GridColumn fieldColumn(const char *field, widgets::ColumnKind kind = widgets::ColumnKind::Text,
                                       bool visible = true)
{
    return {field, {}, visible, kind};
}

// What sets one maintenance view apart from the others: its title and icon, the dataset of
// the master data module it shows (with its data source) and the navigator buttons offered.
struct MaintenanceViewSettings {
    QString caption;
    QString iconPath;
    fb::DataSet *dataSet = nullptr;
    widgets::DataSource *dataSource = nullptr;
    QList<widgets::DBNavigator::Button> buttons;
    // A key the database assigns on insert (empty: the user types the key), and the field
    // that finds a freshly posted row again once its key is read back.
    QString assignedKey;
    QString findNewRowBy;
};

// The layout and behaviour every maintenance view shares: a title strip, a column with the
// close button, and a work area with one data control over the dataset and a navigator
// below it. The view holds no data of its own; showing it reloads the dataset over a fresh
// connection, Insert and Edit switch the data control to edit mode, Refresh switches it back
// to browse mode, reloads and (for grids) finds the row it was on again by its key.
class MaintenanceView : public ModuleView {
    Q_OBJECT
public:
    QFrame *JvPanel2 = nullptr;   // title strip
    QLabel *JvLabel2 = nullptr;   // title
    QFrame *panelMenu = nullptr;  // button column
    QToolButton *btn_close = nullptr;
    QFrame *panelUtama = nullptr; // work area
    QFrame *panelUtama1 = nullptr;
    widgets::DBNavigator *nav1 = nullptr;

    void FormShow() override;
    // Runs after the navigator has carried out the pressed button's own action.
    void nav1Click(int button);
    void btn_closeClick();

    fb::DataSet &dataSet() const { return *dataSet_; }

protected:
    MaintenanceView(QWidget *owner, const MaintenanceViewSettings &settings);

    // The data control: a grid in browse mode (optionally with the search box above it),
    // re-located by relocateKey after Refresh; or a vertical grid, editable from the start.
    widgets::DBGrid *makeGrid(const char *name, const widgets::GridColumns &columns, bool searchPanel,
                              const QString &relocateKey);
    widgets::DBVerticalGrid *makeVerticalGrid(const char *name, const widgets::GridColumns &fields);

    // Closes the master data connection, which closes every dataset of the module, and
    // opens this view's dataset again from a fresh connection.
    void bukaData();

private:
    void buildTitleStrip(const QString &caption, const QString &iconPath);
    void buildMenuColumn();
    void buildWorkArea();
    void placeDataControl(QWidget *control);
    void setEditMode(bool on);
    void refreshAndRelocate();
    void readBackAssignedKey();

    fb::DataSet *dataSet_;
    widgets::DataSource *dataSource_;
    widgets::DBGrid *grid_ = nullptr;
    widgets::DBVerticalGrid *verticalGrid_ = nullptr;
    QString relocateKey_;
    QString assignedKey_;
    QString findNewRowBy_;
};
