#include "Tables.h"
#include "widgets/DBGrid.h"
#include "widgets/DBNavigator.h"
#include "widgets/DataSetTableModel.h"
#include "widgets/GridTableView.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using widgets::ColumnKind;
using widgets::DBGrid;
using widgets::GridColumn;

namespace {

// Users with a password and a few flags, as the users view lists them.
const char *users()
{
    return "sql:insert into employees (kode, nama, passwd, adm, master, setting) values (1, 'ani', 'rahasia', 1, 1, 0);"
           " insert into employees (kode, nama, passwd, adm, master, setting) values (2, 'bob', 'kunci', 0, 0, null);"
           " insert into employees (kode, nama, passwd, adm, master, setting) values (3, 'cici', 'sandi', 1, 2, 1);";
}

widgets::GridColumns userColumns()
{
    return {
        {"KODE", {}, false, ColumnKind::Text},     {"NAMA", {}, true, ColumnKind::Text},
        {"PASSWD", {}, true, ColumnKind::Password}, {"ADM", {}, false, ColumnKind::Flag},
        {"MASTER", {}, true, ColumnKind::Flag},     {"SETTING", {}, true, ColumnKind::Flag},
    };
}

} // namespace

class TestGrid : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void startsInBrowseModeAndSwitchesByTwoOptions();
    void cursorFollowsBothWays();
    void typingInEditModeEntersEditState();
    void typingInBrowseModeChangesNothing();
    void failedPostWhenMovingKeepsTheEditedRow();
    void enterActsAsTab();
    void rowIndicatorShowsState();
    void flagCellsCheckState_data();
    void flagCellsCheckState();
    void flagClickInEditModeWritesOneOrZero_data();
    void flagClickInEditModeWritesOneOrZero();
    void passwordIsMaskedButEditedAsText();
    void hiddenColumnsStayInTheDataSet();
    void searchShowsMatchingRowsAsOneTypes();
    void searchKeepsANewRowVisible();
    void ctrlDeleteAsks_data();
    void ctrlDeleteAsks();
    void leavingTheGridCancelsUntouchedNewRow_data();
    void leavingTheGridCancelsUntouchedNewRow();

private:
    // Builds the fixture: a test database with the given rows, the table, and a shown
    // grid with a line edit beside it to move the focus to.
    void setUp(const QString &rows, bool usersTable = false);
    QModelIndex cell(int row, const QString &field) const;
    QStringList shownNames() const;

    std::unique_ptr<TestDatabase> tdb_;
    std::unique_ptr<Connection> conn_;
    std::unique_ptr<Table> table_;
    std::unique_ptr<QWidget> window_;
    DBGrid *grid_ = nullptr;
    QLineEdit *elsewhere_ = nullptr;
    QStringList errors_;
};

void TestGrid::setUp(const QString &rows, bool usersTable)
{
    tdb_ = std::make_unique<TestDatabase>(QStringList{rows});
    conn_ = std::make_unique<Connection>(*tdb_);
    table_ = usersTable ? employees(*conn_) : doctors(*conn_);
    window_ = std::make_unique<QWidget>();
    auto *layout = new QVBoxLayout(window_.get());
    grid_ = new DBGrid(window_.get());
    elsewhere_ = new QLineEdit(window_.get());
    layout->addWidget(grid_);
    layout->addWidget(elsewhere_);
    grid_->setErrorReporter([this](const QString &m) { errors_ << m; });
    if (usersTable)
        grid_->setColumns(userColumns());
    grid_->setDataSource(&table_->source);
    table_->ds.open();
    window_->resize(600, 400);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    grid_->view()->setFocus();
}

void TestGrid::cleanup()
{
    window_.reset();
    table_.reset();
    conn_.reset();
    tdb_.reset();
    errors_.clear();
}

QModelIndex TestGrid::cell(int row, const QString &field) const
{
    auto *model = grid_->model();
    const int fieldIndex = table_->ds.fieldIndex(field);
    for (int c = 0; c < model->columnCount(); ++c) {
        if (model->fieldIndex(c) == fieldIndex)
            return model->index(row, c);
    }
    return {};
}

QStringList TestGrid::shownNames() const
{
    QStringList names;
    for (int r = 0; r < grid_->model()->rowCount(); ++r)
        names << cell(r, "NAMA").data().toString();
    return names;
}

void TestGrid::startsInBrowseModeAndSwitchesByTwoOptions()
{
    setUp(threeDoctors());
    auto *view = grid_->view();
    QVERIFY(!grid_->isEditing());
    QVERIFY(grid_->rowSelect());
    QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(!(grid_->model()->flags(cell(0, "NIP")) & Qt::ItemIsEditable));
    QVERIFY(view->showGrid());
    QVERIFY(view->horizontalHeader()->sectionsMovable());
    QCOMPARE(view->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    QVERIFY(view->tabKeyNavigation());
    // The whole row is selected in browse mode.
    QCOMPARE(view->selectionModel()->selectedIndexes().size(), 3);

    grid_->setEditing(true);
    grid_->setRowSelect(false);
    QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectItems);
    QVERIFY(view->editTriggers() & QAbstractItemView::AnyKeyPressed);
    QVERIFY(grid_->model()->flags(cell(0, "NIP")) & Qt::ItemIsEditable);
    // Nothing else changed with the mode.
    QVERIFY(view->showGrid());
    QVERIFY(view->horizontalHeader()->sectionsMovable());

    grid_->setEditing(false);
    grid_->setRowSelect(true);
    QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
}

void TestGrid::cursorFollowsBothWays()
{
    setUp(threeDoctors());
    QCOMPARE(grid_->view()->currentIndex().row(), 0);
    table_->ds.setCurrentRow(2);
    QCOMPARE(grid_->view()->currentIndex().row(), 2);
    QTest::keyClick(grid_->view(), Qt::Key_Up);
    QCOMPARE(table_->ds.currentRow(), 1);
    grid_->view()->setCurrentIndex(cell(0, "NIP"));
    QCOMPARE(table_->ds.currentRow(), 0);
    QCOMPARE(table_->ds.fieldText("NAMA"), QString("Andi"));
}

void TestGrid::typingInEditModeEntersEditState()
{
    setUp(threeDoctors());
    grid_->setEditing(true);
    grid_->setRowSelect(false);
    const QModelIndex target = cell(1, "JABATAN");
    grid_->view()->setCurrentIndex(target);
    QTest::keyClick(grid_->view(), 'B'); // opens the editor with "B"
    QCOMPARE(table_->ds.state(), fb::DataSet::State::Edit);
    auto *editor = qobject_cast<QLineEdit *>(grid_->view()->indexWidget(target));
    QVERIFY(editor);
    QTest::keyClicks(editor, "edah");
    QCOMPARE(editor->text(), QString("Bedah"));
    QCOMPARE(table_->ds.currentRow(), 1);
    // Post commits what is still in the editor.
    widgets::DBNavigator nav;
    nav.setDataSource(&table_->source);
    nav.setErrorReporter([this](const QString &m) { errors_ << m; });
    nav.press(widgets::DBNavigator::Post);
    QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join('\n')));
    QCOMPARE(table_->ds.state(), fb::DataSet::State::Browse);
    QCOMPARE(tdb_->scalar("select jabatan from dokter where nama = 'Budi'"), QString("Bedah"));
    QVERIFY(grid_->isEditing()); // posting does not end edit mode
}

void TestGrid::typingInBrowseModeChangesNothing()
{
    setUp(threeDoctors());
    QTest::keyClicks(grid_->view(), "xyz");
    QCOMPARE(table_->ds.state(), fb::DataSet::State::Browse);
    QCOMPARE(table_->ds.fieldText("NIP"), QString("101"));
}

void TestGrid::failedPostWhenMovingKeepsTheEditedRow()
{
    setUp(threeDoctors());
    grid_->setEditing(true);
    grid_->setRowSelect(false);
    QVERIFY(grid_->model()->setData(cell(0, "NIP"), QString(45, '9'))); // longer than the column
    QCOMPARE(table_->ds.state(), fb::DataSet::State::Edit);
    grid_->view()->setCurrentIndex(cell(2, "NIP")); // moving posts the row, which fails
    QCOMPARE(errors_.size(), 1);
    QCOMPARE(table_->ds.state(), fb::DataSet::State::Edit);
    QCOMPARE(table_->ds.currentRow(), 0);
    QTRY_COMPARE(grid_->view()->currentIndex().row(), 0); // the view goes back to it
    QCOMPARE(tdb_->scalar("select nip from dokter where nama = 'Andi'"), QString("101"));
}

void TestGrid::enterActsAsTab()
{
    setUp(threeDoctors());
    grid_->view()->setCurrentIndex(grid_->model()->index(0, 0));
    QTest::keyClick(grid_->view(), Qt::Key_Return);
    QCOMPARE(grid_->view()->currentIndex().column(), 1);
    QTest::keyClick(grid_->view(), Qt::Key_Tab);
    QCOMPARE(grid_->view()->currentIndex().column(), 2);
}

void TestGrid::rowIndicatorShowsState()
{
    setUp(threeDoctors());
    auto marker = [&](int row) { return grid_->model()->headerData(row, Qt::Vertical).toString(); };
    using widgets::DataSetTableModel;
    QCOMPARE(marker(0), DataSetTableModel::rowMarker(fb::DataSet::State::Browse));
    QCOMPARE(marker(1), QString());
    table_->ds.next();
    table_->ds.edit();
    QCOMPARE(marker(0), QString());
    QCOMPARE(marker(1), DataSetTableModel::rowMarker(fb::DataSet::State::Edit));
    table_->ds.cancel();
    table_->ds.insert();
    QCOMPARE(marker(1), DataSetTableModel::rowMarker(fb::DataSet::State::Insert));
    QCOMPARE(grid_->view()->currentIndex().row(), 1);
    QCOMPARE(grid_->model()->rowCount(), 4);
}

void TestGrid::flagCellsCheckState_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("state");
    QTest::newRow("1 ticked") << "1" << int(Qt::Checked);
    QTest::newRow("0 clear") << "0" << int(Qt::Unchecked);
    QTest::newRow("empty grayed") << "null" << int(Qt::PartiallyChecked);
    QTest::newRow("2 grayed") << "2" << int(Qt::PartiallyChecked);
}

void TestGrid::flagCellsCheckState()
{
    QFETCH(QString, stored);
    QFETCH(int, state);
    setUp("sql:insert into employees (kode, nama, master) values (1, 'ani', " + stored + ");", true);
    const QModelIndex flag = cell(0, "MASTER");
    QVERIFY(flag.isValid());
    QCOMPARE(flag.data(Qt::CheckStateRole).toInt(), state);
    QCOMPARE(flag.data(Qt::DisplayRole).toString(), QString()); // drawn as a box, not as text
    QVERIFY(!(flag.flags() & Qt::ItemIsUserCheckable));         // browse mode: read only
}

void TestGrid::flagClickInEditModeWritesOneOrZero_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("afterClick");
    QTest::newRow("clear to ticked") << "0" << "1";
    QTest::newRow("ticked to clear") << "1" << "0";
    QTest::newRow("grayed to ticked") << "null" << "1";
}

void TestGrid::flagClickInEditModeWritesOneOrZero()
{
    QFETCH(QString, stored);
    QFETCH(QString, afterClick);
    setUp("sql:insert into employees (kode, nama, setting) values (1, 'ani', " + stored + ");", true);
    const QModelIndex flag = cell(0, "SETTING");
    const QPoint centre = grid_->view()->visualRect(flag).center();

    QTest::mouseClick(grid_->view()->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(table_->ds.state(), fb::DataSet::State::Browse); // browse mode: no change

    grid_->setEditing(true);
    grid_->setRowSelect(false);
    QTest::mouseClick(grid_->view()->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(table_->ds.state(), fb::DataSet::State::Edit); // stays in Edit until posted
    QCOMPARE(table_->ds.fieldText("SETTING"), afterClick);
    QCOMPARE(flag.data(Qt::CheckStateRole).toInt(), int(afterClick == "1" ? Qt::Checked : Qt::Unchecked));
    table_->ds.post();
    QCOMPARE(tdb_->scalar("select setting from employees where kode = 1"), afterClick);
}

void TestGrid::passwordIsMaskedButEditedAsText()
{
    setUp(users(), true);
    grid_->setEditing(true);
    grid_->setRowSelect(false);
    for (int row = 0; row < 3; ++row) {
        const QModelIndex pw = cell(row, "PASSWD");
        const QString plain = table_->ds.value(row, table_->ds.fieldIndex("PASSWD")).toString();
        QVERIFY(!plain.isEmpty());
        const QString shown = pw.data(Qt::DisplayRole).toString();
        QVERIFY(!shown.isEmpty());
        QVERIFY2(!shown.contains(plain) && !shown.contains(plain.left(2)), qPrintable(shown));
        QCOMPARE(pw.data(Qt::EditRole).toString(), plain);
    }
    // The editor masks what is typed too.
    const QModelIndex pw = cell(0, "PASSWD");
    grid_->view()->setCurrentIndex(pw);
    grid_->view()->edit(pw);
    auto *editor = qobject_cast<QLineEdit *>(grid_->view()->indexWidget(pw));
    QVERIFY(editor);
    QCOMPARE(editor->echoMode(), QLineEdit::Password);
    QCOMPARE(editor->text(), QString("rahasia"));
}

void TestGrid::hiddenColumnsStayInTheDataSet()
{
    setUp(users(), true);
    QStringList titles;
    for (int c = 0; c < grid_->model()->columnCount(); ++c)
        titles << grid_->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titles, (QStringList{"NAMA", "PASSWD", "MASTER", "SETTING"}));
    grid_->setEditing(true);
    QVERIFY(grid_->model()->setData(cell(0, "NAMA"), "anita"));
    table_->ds.post();
    QVERIFY(errors_.isEmpty());
    // The update statement got the hidden flag's value and left it as it was.
    QCOMPARE(tdb_->scalar("select nama || '/' || adm from employees where kode = 1"), QString("anita/1"));
}

void TestGrid::searchShowsMatchingRowsAsOneTypes()
{
    setUp("sql:insert into dokter values ('Andi', '101', 'Umum'); insert into dokter values ('Budi', '102', 'Gigi');"
          " insert into dokter values ('Citra', '103', 'Anak'); insert into dokter values ('Dedi', '104', 'umum');");
    grid_->setSearchPanelVisible(true);
    QVERIFY(grid_->searchBox()->isVisible());
    QTest::keyClick(grid_->view(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(grid_->searchBox()->hasFocus());

    QTest::keyClicks(grid_->searchBox(), "U");
    QCOMPARE(shownNames(), (QStringList{"Andi", "Budi", "Dedi"}));
    QTest::keyClicks(grid_->searchBox(), "MU");
    QCOMPARE(shownNames(), (QStringList{"Andi", "Dedi"}));
    QCOMPARE(grid_->model()->rowCount(), 2);
    // The cursor stays on a row that is shown.
    QCOMPARE(table_->ds.fieldText("NAMA"), QString("Andi"));
    table_->ds.setCurrentRow(3);
    QCOMPARE(grid_->view()->currentIndex().row(), 1);
    QTest::keyClicks(grid_->searchBox(), "x");
    QCOMPARE(grid_->model()->rowCount(), 0);
    grid_->searchBox()->clear();
    QCOMPARE(grid_->model()->rowCount(), 4);
    QCOMPARE(grid_->view()->currentIndex().row(), 3);
}

void TestGrid::searchKeepsANewRowVisible()
{
    setUp(threeDoctors());
    grid_->setSearchPanelVisible(true);
    QTest::keyClicks(grid_->searchBox(), "gigi");
    QCOMPARE(shownNames(), QStringList{"Budi"});
    QCOMPARE(table_->ds.currentRow(), 1);
    table_->ds.insert();
    QCOMPARE(grid_->model()->rowCount(), 2);
    QCOMPARE(grid_->view()->currentIndex().row(), 0);
    QCOMPARE(grid_->model()->dataSetRow(0), 1);
    table_->ds.cancel();
    QCOMPARE(shownNames(), QStringList{"Budi"});
}

void TestGrid::ctrlDeleteAsks_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("remaining");
    QTest::newRow("OK deletes") << true << "2";
    QTest::newRow("Cancel keeps") << false << "3";
}

void TestGrid::ctrlDeleteAsks()
{
    QFETCH(bool, answer);
    QFETCH(QString, remaining);
    setUp(threeDoctors());
    int asked = 0;
    grid_->setDeleteConfirmation([&] {
        ++asked;
        return answer;
    });
    QTest::keyClick(grid_->view(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(asked, 1);
    QCOMPARE(tdb_->scalar("select count(*) from dokter"), remaining);
    QCOMPARE(grid_->model()->rowCount(), remaining.toInt());
    QCOMPARE(tdb_->scalar("select count(*) from dokter where nama = 'Andi'"), answer ? QString("0") : QString("1"));
}

void TestGrid::leavingTheGridCancelsUntouchedNewRow_data()
{
    QTest::addColumn<bool>("typed");
    QTest::newRow("untouched row is dropped") << false;
    QTest::newRow("typed row stays") << true;
}

void TestGrid::leavingTheGridCancelsUntouchedNewRow()
{
    QFETCH(bool, typed);
    setUp(threeDoctors());
    table_->ds.insert();
    if (typed)
        table_->ds.setFieldValue("NAMA", "Eka");
    QVERIFY(grid_->view()->hasFocus());
    elsewhere_->setFocus(Qt::TabFocusReason);
    QCOMPARE(table_->ds.state(), typed ? fb::DataSet::State::Insert : fb::DataSet::State::Browse);
    QCOMPARE(grid_->model()->rowCount(), typed ? 4 : 3);
}

QTEST_MAIN(TestGrid)
#include "tst_widgets_grid.moc"
