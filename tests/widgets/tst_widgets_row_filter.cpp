#include "widgets/RowFilter.h"

#include <QTest>

using widgets::RowFilter;

// The search filter on its own, over rows of plain text.
class TestRowFilter : public QObject {
    Q_OBJECT
private slots:
    void init() { rows_ = {"Andi\x1f" "Umum", "budi\x1f" "Gigi", "Citra\x1f" "Anak", "DEDI\x1f" "umum"}; }
    void matchesSubstringIgnoringCase_data();
    void matchesSubstringIgnoringCase();
    void textIsDecodedOnceUntilInvalidated();
    void insertedRowIsShownAndLaterRowsShift();
    void removedRowLeavesAndLaterRowsShift();
    void changedRowIsSearchedWithItsNewText();

private:
    QStringList rows_; // the rows' searchable texts, columns joined by the separator
    RowFilter::RowText text() const
    {
        return [this](int row) { return rows_.at(row); };
    }
    static QList<int> shown(const RowFilter &f)
    {
        QList<int> out;
        for (int i = 0; i < f.count(); ++i)
            out << f.sourceRow(i);
        return out;
    }
};

void TestRowFilter::matchesSubstringIgnoringCase_data()
{
    QTest::addColumn<QString>("needle");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("lower case finds upper") << "umum" << QList<int>{0, 3};
    QTest::newRow("upper case finds lower") << "BUDI" << QList<int>{1};
    QTest::newRow("middle of a value") << "itr" << QList<int>{2};
    QTest::newRow("common part") << "di" << QList<int>{0, 1, 3};
    QTest::newRow("nothing") << "xyz" << QList<int>{};
}

void TestRowFilter::matchesSubstringIgnoringCase()
{
    QFETCH(QString, needle);
    QFETCH(QList<int>, expected);
    RowFilter f;
    f.setText(needle, int(rows_.size()), text());
    QVERIFY(f.isActive());
    QCOMPARE(shown(f), expected);
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(f.indexOf(expected[i]), i);
    f.setText({}, int(rows_.size()), text());
    QVERIFY(!f.isActive());
}

void TestRowFilter::textIsDecodedOnceUntilInvalidated()
{
    int asked = 0;
    const RowFilter::RowText counting = [&](int row) {
        ++asked;
        return rows_.at(row);
    };
    RowFilter f;
    f.setText("a", int(rows_.size()), counting);
    f.setText("an", int(rows_.size()), counting);
    QCOMPARE(asked, int(rows_.size()));
    f.invalidate();
    f.setText("and", int(rows_.size()), counting);
    QCOMPARE(asked, 2 * int(rows_.size()));
    QCOMPARE(shown(f), QList<int>{0});
}

void TestRowFilter::insertedRowIsShownAndLaterRowsShift()
{
    RowFilter f;
    f.setText("umum", int(rows_.size()), text());
    rows_.insert(1, QString()); // a new, empty row before "budi"
    f.rowInserted(1, text());
    QCOMPARE(shown(f), (QList<int>{0, 1, 4}));
    // The cache kept step: a new search finds the same rows at their new places.
    f.setText("dedi", int(rows_.size()), text());
    QCOMPARE(shown(f), QList<int>{4});
}

void TestRowFilter::removedRowLeavesAndLaterRowsShift()
{
    RowFilter f;
    f.setText("i", int(rows_.size()), text());
    QCOMPARE(shown(f), (QList<int>{0, 1, 2, 3}));
    rows_.removeAt(1);
    f.rowRemoved(1);
    QCOMPARE(shown(f), (QList<int>{0, 1, 2}));
    f.setText("dedi", int(rows_.size()), text());
    QCOMPARE(shown(f), QList<int>{2});
}

void TestRowFilter::changedRowIsSearchedWithItsNewText()
{
    RowFilter f;
    f.setText("gigi", int(rows_.size()), text());
    QCOMPARE(shown(f), QList<int>{1});
    rows_[3] = "Dedi\x1fGigi";
    f.rowChanged(3, text());
    QCOMPARE(shown(f), QList<int>{1}); // a changed row keeps its place until the next search
    f.setText("gig", int(rows_.size()), text());
    QCOMPARE(shown(f), (QList<int>{1, 3}));
}

QTEST_MAIN(TestRowFilter)
#include "tst_widgets_row_filter.moc"
