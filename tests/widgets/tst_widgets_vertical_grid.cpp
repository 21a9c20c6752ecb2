#include "Tables.h"
#include "widgets/DBNavigator.h"
#include "widgets/DBVerticalGrid.h"
#include "widgets/RecordModel.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

using widgets::ColumnKind;
using widgets::DBVerticalGrid;

class TestVerticalGrid : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void oneRowPerFieldWithLabels();
    void checkBoxRow_data();
    void checkBoxRow();
    void typingGoesStraightIntoTheRecord();
    void tabMovesBetweenRows();
    void editingCanBeSwitchedOff();
    void closedDataSetShowsNothing();

private:
    void setUp(const QString &rows);
    QModelIndex row(const QString &label) const;

    std::unique_ptr<TestDatabase> tdb_;
    std::unique_ptr<Connection> conn_;
    std::unique_ptr<Table> table_;
    std::unique_ptr<DBVerticalGrid> grid_;
    QStringList errors_;
};

namespace {
const char *twoCentres()
{
    return "sql:insert into puskesmas values (1, 'Sehat', 'Desa A', 'Kec A', 'Kota A', 'Prop A', 1);"
           " insert into puskesmas values (2, 'Sentosa', 'Desa B', 'Kec B', 'Kota B', 'Prop B', 0);";
}
} // namespace

void TestVerticalGrid::setUp(const QString &rows)
{
    tdb_ = std::make_unique<TestDatabase>(QStringList{rows});
    conn_ = std::make_unique<Connection>(*tdb_);
    table_ = healthCentres(*conn_);
    grid_ = std::make_unique<DBVerticalGrid>();
    grid_->setErrorReporter([this](const QString &m) { errors_ << m; });
    grid_->setFields({{"ID_PUSKESMAS", {}}, {"NAMA", {}}, {"DESA", {}}, {"KECAMATAN", {}}, {"KOTA", {}}, {"PROP", {}},
                      {"ADL_AKTIF", {}, true, ColumnKind::Flag}});
    grid_->setDataSource(&table_->source);
    table_->ds.open();
    grid_->resize(500, 300);
    grid_->show();
    QVERIFY(QTest::qWaitForWindowExposed(grid_.get()));
    grid_->activateWindow();
    grid_->setFocus();
}

void TestVerticalGrid::cleanup()
{
    grid_.reset();
    table_.reset();
    conn_.reset();
    tdb_.reset();
    errors_.clear();
}

QModelIndex TestVerticalGrid::row(const QString &label) const
{
    auto *model = grid_->recordModel();
    for (int r = 0; r < model->rowCount(); ++r) {
        if (model->headerData(r, Qt::Vertical).toString() == label)
            return model->index(r, 0);
    }
    return {};
}

void TestVerticalGrid::oneRowPerFieldWithLabels()
{
    setUp(twoCentres());
    auto *model = grid_->recordModel();
    QStringList labels, values;
    for (int r = 0; r < model->rowCount(); ++r) {
        labels << model->headerData(r, Qt::Vertical).toString();
        values << model->index(r, 0).data().toString();
    }
    QCOMPARE(labels, (QStringList{"ID_PUSKESMAS", "NAMA", "DESA", "KECAMATAN", "KOTA", "PROP", "ADL_AKTIF"}));
    QCOMPARE(values, (QStringList{"1", "Sehat", "Desa A", "Kec A", "Kota A", "Prop A", ""}));
    QCOMPARE(grid_->verticalHeader()->width(), DBVerticalGrid::LabelWidth);
    table_->ds.next(); // the record shown follows the cursor
    QCOMPARE(row("NAMA").data().toString(), QString("Sentosa"));
}

void TestVerticalGrid::checkBoxRow_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("afterClick");
    QTest::newRow("1 ticked, click clears") << "1" << int(Qt::Checked) << "0";
    QTest::newRow("0 clear, click ticks") << "0" << int(Qt::Unchecked) << "1";
    QTest::newRow("empty grayed, click ticks") << "null" << int(Qt::PartiallyChecked) << "1";
}

void TestVerticalGrid::checkBoxRow()
{
    QFETCH(QString, stored);
    QFETCH(int, state);
    QFETCH(QString, afterClick);
    setUp("sql:insert into puskesmas (id_puskesmas, nama, adl_aktif) values (7, 'Sehat', " + stored + ");");
    const QModelIndex flag = row("ADL_AKTIF");
    QCOMPARE(flag.data(Qt::CheckStateRole).toInt(), state);
    QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, grid_->visualRect(flag).center());
    QCOMPARE(table_->ds.state(), fb::DataSet::State::Edit);
    QCOMPARE(table_->ds.fieldText("ADL_AKTIF"), afterClick);
    table_->ds.post();
    QCOMPARE(tdb_->scalar("select adl_aktif from puskesmas where id_puskesmas = 7"), afterClick);
}

void TestVerticalGrid::typingGoesStraightIntoTheRecord()
{
    setUp(twoCentres());
    QVERIFY(grid_->isEditing());
    const QModelIndex desa = row("DESA");
    grid_->setCurrentIndex(desa);
    // The editor is open already: no key or click is needed to start typing.
    auto *editor = qobject_cast<QLineEdit *>(grid_->indexWidget(desa));
    QVERIFY(editor);
    QCOMPARE(editor->text(), QString("Desa A"));
    editor->selectAll();
    QTest::keyClicks(editor, "Desa Baru");
    QCOMPARE(table_->ds.state(), fb::DataSet::State::Edit);
    QCOMPARE(editor->text(), QString("Desa Baru"));

    widgets::DBNavigator nav;
    nav.setDataSource(&table_->source);
    nav.setErrorReporter([this](const QString &m) { errors_ << m; });
    nav.press(widgets::DBNavigator::Post);
    QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join('\n')));
    QCOMPARE(tdb_->scalar("select desa from puskesmas where id_puskesmas = 1"), QString("Desa Baru"));
    QCOMPARE(editor->text(), QString("Desa Baru"));
}

void TestVerticalGrid::tabMovesBetweenRows()
{
    setUp(twoCentres());
    grid_->setCurrentIndex(row("NAMA"));
    QTest::keyClick(grid_->indexWidget(row("NAMA")), Qt::Key_Tab);
    QCOMPARE(grid_->currentIndex(), row("DESA"));
    QVERIFY(grid_->indexWidget(row("DESA")));
    QVERIFY(!grid_->indexWidget(row("NAMA")));
    QCOMPARE(table_->ds.state(), fb::DataSet::State::Browse); // nothing typed, nothing changed
}

void TestVerticalGrid::editingCanBeSwitchedOff()
{
    setUp(twoCentres());
    const QModelIndex nama = row("NAMA");
    grid_->setCurrentIndex(nama);
    grid_->setEditing(false);
    QVERIFY(!grid_->indexWidget(nama));
    QVERIFY(!(nama.flags() & Qt::ItemIsEditable));
    QVERIFY(!grid_->recordModel()->setData(nama, "x"));
    QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, grid_->visualRect(row("ADL_AKTIF")).center());
    QCOMPARE(table_->ds.state(), fb::DataSet::State::Browse);
    grid_->setEditing(true);
    grid_->setCurrentIndex(nama);
    QVERIFY(grid_->indexWidget(nama));
}

void TestVerticalGrid::closedDataSetShowsNothing()
{
    setUp(twoCentres());
    conn_->db.close();
    QCOMPARE(grid_->recordModel()->rowCount(), 0);
    table_->ds.open();
    QCOMPARE(grid_->recordModel()->rowCount(), 7);
    QCOMPARE(row("NAMA").data().toString(), QString("Sehat"));
    QVERIFY(grid_->indexWidget(grid_->currentIndex())); // the editor opens again
}

QTEST_MAIN(TestVerticalGrid)
#include "tst_widgets_vertical_grid.moc"
