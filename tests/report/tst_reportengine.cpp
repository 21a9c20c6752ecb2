#include "MessageBoxAnswerer.h"

#include <report/ErrorReport.h>
#include <report/ReportBuilder.h>
#include <report/ReportError.h>
#include <report/ValueFormat.h>

#include <QApplication>
#include <QTimer>
#include <QtTest>

using namespace report;

namespace {

ReportDataSet numbers(int count)
{
    ReportDataSet set{QStringLiteral("rows"), {QStringLiteral("A"), QStringLiteral("NAME")}, {}};
    for (int i = 1; i <= count; ++i)
        set.appendRow({i, QStringLiteral("x%1").arg(i)});
    return set;
}

TextBox box(const QRectF &rect, const QString &text, const QString &format = {})
{
    TextBox t;
    t.rectMm = rect;
    t.text = text;
    t.displayFormat = format;
    return t;
}

// A layout with a master band over "rows" printing A, plus one extra text box under test.
ReportLayout masterLayout(const TextBox &extra, double masterHeight = 5)
{
    ReportLayout layout;
    layout.bands = {Band{BandKind::MasterData, masterHeight, QStringLiteral("rows"),
                         {box({0, 0, 20, 4}, QStringLiteral("[rows.\"A\"]")), extra}, {}},
                    Band{BandKind::ReportSummary, 10, {}, {box({0, 0, 20, 4}, QStringLiteral("END"))}, {}}};
    return layout;
}

QStringList textsOf(const QList<ReportPage> &pages)
{
    QStringList texts;
    for (const ReportPage &page : pages) {
        for (const PlacedText &t : page.texts)
            texts.append(t.text);
    }
    return texts;
}

} // namespace

class ReportEngineTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void valuesAreFormatted_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("thousands") << QVariant(1234567) << "%2.0n" << "1,234,567";
        QTest::newRow("rounded") << QVariant(1234.4) << "%2.0n" << "1,234";
        QTest::newRow("small") << QVariant(7) << "%2.0n" << "7";
        QTest::newRow("negative") << QVariant(-98765.0) << "%2.0n" << "-98,765";
        QTest::newRow("numeric text") << QVariant(QStringLiteral("2500")) << "%2.0n" << "2,500";
        QTest::newRow("null") << QVariant() << "%2.0n" << "";
        QTest::newRow("fixed decimals") << QVariant(1234.5) << "%2.2f" << "1234.50";
        QTest::newRow("date") << QVariant(QDate(2026, 3, 9)) << "" << "3/9/26";
        QTest::newRow("plain text") << QVariant(QStringLiteral("Maret")) << "" << "Maret";
    }

    void valuesAreFormatted()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(formatValue(value, format, reportLocale()), expected);
    }

    void separatorsFollowTheLocale()
    {
        QLocale indonesian(QLocale::Indonesian, QLocale::Indonesia);
        QCOMPARE(formatValue(1234567, QStringLiteral("%2.0n"), indonesian), QStringLiteral("1.234.567"));
        // The C locale omits separators unless asked; reports always want them.
        QLocale::setDefault(QLocale::c());
        const QString inC = formatValue(1234567, QStringLiteral("%2.0n"), reportLocale());
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(inC, QStringLiteral("1,234,567"));
    }

    void badValuesAndFormatsThrow_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("format");
        QTest::newRow("text as number") << QVariant(QStringLiteral("abc")) << "%2.0n";
        QTest::newRow("date as number") << QVariant(QDate(2026, 1, 1)) << "%2.0n";
        QTest::newRow("unknown format") << QVariant(1) << "%d";
    }

    void badValuesAndFormatsThrow()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, format);
        QVERIFY_THROWS_EXCEPTION(ReportError, formatValue(value, format, reportLocale()));
    }

    void expressionFaultsAreCollectedOnceAndPreparationGoesOn_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("errors");
        QTest::newRow("unknown field") << "[rows.\"NOPE\"]" << "" << QStringList{"Unknown field \"NOPE\" in dataset \"rows\""};
        QTest::newRow("unknown dataset") << "[other.\"A\"]" << "" << QStringList{"Unknown dataset \"other\""};
        QTest::newRow("unreadable") << "Sum: [what]" << "" << QStringList{"Cannot read the expression \"[what]\""};
        QTest::newRow("sum of text") << "[SUM(rows.\"NAME\")]" << ""
                                     << QStringList{"SUM of \"NAME\": \"x1\" is not a number"};
        // Each distinct message once: here every row's value is a fault of its own.
        QTest::newRow("text through number format")
            << "[rows.\"NAME\"]" << "%2.0n"
            << QStringList{"\"x1\" is not a number", "\"x2\" is not a number", "\"x3\" is not a number"};
        QTest::newRow("unknown format") << "[rows.\"A\"]" << "%q" << QStringList{"Unknown display format \"%q\""};
    }

    void expressionFaultsAreCollectedOnceAndPreparationGoesOn()
    {
        QFETCH(QString, text);
        QFETCH(QString, format);
        QFETCH(QStringList, errors);
        ReportData data;
        data.add(numbers(3));
        ReportBuilder builder(masterLayout(box({30, 0, 20, 4}, text, format)), data);
        const QList<ReportPage> pages = builder.buildAll();
        QCOMPARE(builder.errors(), errors);
        QCOMPARE(pages.size(), 1);
        const QStringList texts = textsOf(pages);
        for (const char *good : {"1", "2", "3", "END"})
            QVERIFY2(texts.contains(QLatin1String(good)), good);
    }

    void failingDataSourceIsCollected()
    {
        ReportData data;
        data.addSource(QStringLiteral("rows"), []() -> ReportDataSet { throw std::runtime_error("connection lost"); });
        ReportBuilder builder(masterLayout(box({30, 0, 20, 4}, QStringLiteral("[rows.\"NAME\"]"))), data);
        const QList<ReportPage> pages = builder.buildAll();
        QCOMPARE(builder.errors(), QStringList{QStringLiteral("rows: connection lost")});
        QCOMPARE(pages.size(), 1);
        QVERIFY(textsOf(pages).contains(QStringLiteral("END")));
    }

    void loadedSourceIsPrinted()
    {
        ReportData data;
        data.addSource(QStringLiteral("rows"), [] { return numbers(2); });
        ReportBuilder builder(masterLayout(box({30, 0, 20, 4}, QStringLiteral("[rows.\"NAME\"]"))), data);
        const QStringList texts = textsOf(builder.buildAll());
        QVERIFY(builder.errors().isEmpty());
        QCOMPARE(texts, (QStringList{"1", "x1", "2", "x2", "END"}));
    }

    void bandTallerThanAPageStillEnds()
    {
        ReportData data;
        data.add(numbers(2));
        ReportBuilder builder(masterLayout(box({30, 0, 20, 4}, QStringLiteral("-")), 400), data);
        const QList<ReportPage> pages = builder.buildAll();
        QCOMPARE(pages.size(), 3);  // one row per page, then the summary
    }

    void bottomAnchorAndGrowToFitPlaceTheBox()
    {
        TextBox anchored = box({2, 0, 185, 20}, QStringLiteral("bottom"));
        anchored.anchorBottom = true;
        TextBox grown = box({10, 25, 5, 4}, QStringLiteral("a rather long line of text"));
        grown.growToFit = true;
        TextBox kept = box({10, 30, 5, 4}, QStringLiteral("i"));
        kept.growToFit = true;
        ReportLayout layout;
        layout.bands = {Band{BandKind::PageHeader, 21, {}, {}, {}},
                        Band{BandKind::ReportSummary, 34, {}, {anchored, grown, kept}, {Rule{{20, 2}, 100}}}};
        ReportBuilder builder(layout, ReportData{});
        const ReportPage page = builder.buildNextPage();
        QVERIFY(builder.atEnd());
        QCOMPARE(page.texts.size(), 3);
        QCOMPARE(page.texts.at(0).rectMm, QRectF(12, 10 + 21 + 14, 185, 20));
        QVERIFY(page.texts.at(1).rectMm.width() > 20);
        QCOMPARE(page.texts.at(2).rectMm.width(), 5.0);
        QCOMPARE(page.rules.size(), 1);
        QCOMPARE(page.rules.at(0).lineMm, QLineF(30, 33, 130, 33));
    }

    void collectedErrorsText()
    {
        QCOMPARE(report::collectedErrorsText({QStringLiteral("first"), QStringLiteral("second")}),
                 QStringLiteral("The following error(s) have occured:\nfirst\nsecond"));
    }

    void errorBoxAppearsAndCanBeDismissed()
    {
        MessageBoxAnswerer answer;
        QTimer::singleShot(5000, this, [] {  // never hang the run if the box does not come
            if (auto *w = QApplication::activeModalWidget())
                w->close();
        });
        showCollectedErrors({QStringLiteral("Unknown field \"X\" in dataset \"rows\"")});
        QVERIFY(answer.answered());
        QCOMPARE(answer.title(), QStringLiteral("Error"));
        QCOMPARE(answer.text(), QStringLiteral("The following error(s) have occured:\nUnknown field \"X\" in dataset \"rows\""));
    }
};

QTEST_MAIN(ReportEngineTest)
#include "tst_reportengine.moc"
