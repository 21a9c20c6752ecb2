#include "Tables.h"
#include "widgets/DBNavigator.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using widgets::DBNavigator;

namespace {

// The enabled buttons, First to Refresh, as a string of 0 and 1.
QString enabledMask(const DBNavigator &nav)
{
    QString mask;
    for (int i = 0; i < DBNavigator::ButtonCount; ++i)
        mask += nav.button(DBNavigator::Button(i))->isEnabled() ? '1' : '0';
    return mask;
}

} // namespace

class TestNavigator : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void buttonsInOrderWithHints();
    void visibleButtonsAndFlat();
    void enablingFollowsState_data();
    void enablingFollowsState();
    void clickArrivesAfterTheAction();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void refreshFinishesTheEditedRowFirst_data();
    void refreshFinishesTheEditedRowFirst();
    void failedPostShowsErrorAndSwallowsClick_data();
    void failedPostShowsErrorAndSwallowsClick();

private:
    std::unique_ptr<TestDatabase> tdb_;
    std::unique_ptr<Connection> conn_;
    std::unique_ptr<Table> table_;
    std::unique_ptr<DBNavigator> nav_;
    QStringList errors_;
};

void TestNavigator::init()
{
    tdb_ = std::make_unique<TestDatabase>(QStringList{threeDoctors()});
    conn_ = std::make_unique<Connection>(*tdb_);
    table_ = doctors(*conn_);
    nav_ = std::make_unique<DBNavigator>();
    nav_->setDataSource(&table_->source);
    errors_.clear();
    nav_->setErrorReporter([this](const QString &message) { errors_ << message; });
    nav_->setDeleteConfirmation([] { return true; });
}

void TestNavigator::cleanup()
{
    nav_.reset();
    table_.reset();
    conn_.reset();
    tdb_.reset();
}

void TestNavigator::buttonsInOrderWithHints()
{
    const QStringList hints{"First record", "Prior record", "Next record", "Last record", "Insert record",
                            "Delete record", "Edit record", "Post edit", "Cancel edit", "Refresh data"};
    for (int i = 0; i < DBNavigator::ButtonCount; ++i)
        QCOMPARE(nav_->button(DBNavigator::Button(i))->toolTip(), hints[i]);
}

void TestNavigator::visibleButtonsAndFlat()
{
    nav_->setVisibleButtons({DBNavigator::Insert, DBNavigator::Edit, DBNavigator::Post, DBNavigator::Cancel,
                             DBNavigator::Refresh});
    QString shown;
    for (int i = 0; i < DBNavigator::ButtonCount; ++i)
        shown += nav_->isButtonVisible(DBNavigator::Button(i)) ? '1' : '0';
    QCOMPARE(shown, QString("0000101111"));
    nav_->setFlat(true);
    QVERIFY(nav_->isFlat());
    QVERIFY(nav_->button(DBNavigator::Post)->autoRaise());
}

void TestNavigator::enablingFollowsState_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("mask"); // First Prior Next Last Insert Delete Edit Post Cancel Refresh
    QTest::newRow("closed") << "closed" << "0000000000";
    QTest::newRow("browse, empty table") << "empty" << "0000100001";
    QTest::newRow("browse, first row") << "first" << "0011111001";
    QTest::newRow("browse, middle row") << "middle" << "1111111001";
    QTest::newRow("browse, last row") << "last" << "1100111001";
    QTest::newRow("edit on first row") << "edit" << "0011110111";
    QTest::newRow("insert") << "insert" << "0011110111";
    QTest::newRow("closed again") << "reclosed" << "0000000000";
}

void TestNavigator::enablingFollowsState()
{
    QFETCH(QString, situation);
    QFETCH(QString, mask);
    fb::DataSet &ds = table_->ds;
    if (situation == "empty")
        tdb_->isql("delete from dokter; commit;");
    if (situation != "closed")
        ds.open();
    if (situation == "middle")
        ds.next();
    else if (situation == "last")
        ds.last();
    else if (situation == "edit")
        ds.edit();
    else if (situation == "insert")
        ds.insert();
    else if (situation == "reclosed")
        conn_->db.close();
    QCOMPARE(enabledMask(*nav_), mask);
}

void TestNavigator::clickArrivesAfterTheAction()
{
    table_->ds.open();
    QList<int> rowsSeen;
    connect(nav_.get(), &DBNavigator::clicked, this, [&](int button) {
        QCOMPARE(button, int(DBNavigator::Next));
        rowsSeen << table_->ds.currentRow();
    });
    QTest::mouseClick(nav_->button(DBNavigator::Next), Qt::LeftButton);
    QCOMPARE(rowsSeen, QList<int>{1});
}

void TestNavigator::deleteAsksFirst_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("remaining");
    QTest::newRow("OK deletes and commits") << true << "2";
    QTest::newRow("Cancel keeps the row") << false << "3";
}

void TestNavigator::deleteAsksFirst()
{
    QFETCH(bool, answer);
    QFETCH(QString, remaining);
    int asked = 0;
    nav_->setDeleteConfirmation([&] {
        ++asked;
        return answer;
    });
    table_->ds.open();
    QSignalSpy clicks(nav_.get(), &DBNavigator::clicked);
    nav_->press(DBNavigator::Delete);
    QCOMPARE(asked, 1);
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(clicks.at(0).at(0).toInt(), int(DBNavigator::Delete));
    QCOMPARE(QString::number(table_->ds.rowCount()), remaining);
    // Another connection sees the result: the delete was committed at once.
    QCOMPARE(tdb_->scalar("select count(*) from dokter"), remaining);
    QVERIFY(errors_.isEmpty());
}

void TestNavigator::refreshFinishesTheEditedRowFirst_data()
{
    QTest::addColumn<bool>("changed");
    QTest::newRow("changed row is posted") << true;
    QTest::newRow("unchanged row is cancelled") << false;
}

void TestNavigator::refreshFinishesTheEditedRowFirst()
{
    QFETCH(bool, changed);
    fb::DataSet &ds = table_->ds;
    ds.open();
    ds.edit();
    if (changed)
        ds.setFieldValue("JABATAN", "Bedah");
    QSignalSpy clicks(nav_.get(), &DBNavigator::clicked);
    nav_->press(DBNavigator::Refresh);
    QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join('\n')));
    QCOMPARE(ds.state(), fb::DataSet::State::Browse);
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(clicks.at(0).at(0).toInt(), int(DBNavigator::Refresh));
    const QString stored = tdb_->scalar("select jabatan from dokter where nama = 'Andi'");
    QCOMPARE(stored, changed ? QString("Bedah") : QString("Umum"));
    QCOMPARE(ds.fieldText("JABATAN"), stored);
}

void TestNavigator::failedPostShowsErrorAndSwallowsClick_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("Post") << int(DBNavigator::Post);
    QTest::newRow("Refresh") << int(DBNavigator::Refresh);
}

void TestNavigator::failedPostShowsErrorAndSwallowsClick()
{
    QFETCH(int, button);
    fb::DataSet &ds = table_->ds;
    ds.open();
    nav_->press(DBNavigator::Insert);
    ds.setFieldValue("NAMA", "Budi"); // the doctors' key: already taken
    QSignalSpy clicks(nav_.get(), &DBNavigator::clicked);
    nav_->press(DBNavigator::Button(button));
    QCOMPARE(clicks.size(), 0);
    QCOMPARE(errors_.size(), 1);
    QVERIFY2(errors_.first().contains("PRIMARY", Qt::CaseInsensitive) || errors_.first().contains("unique", Qt::CaseInsensitive),
             qPrintable(errors_.first()));
    QCOMPARE(ds.state(), fb::DataSet::State::Insert);
    QCOMPARE(ds.fieldText("NAMA"), QString("Budi"));
    QVERIFY(nav_->button(DBNavigator::Post)->isEnabled());
    QCOMPARE(tdb_->scalar("select count(*) from dokter"), QString("3"));
}

QTEST_MAIN(TestNavigator)
#include "tst_widgets_navigator.moc"
