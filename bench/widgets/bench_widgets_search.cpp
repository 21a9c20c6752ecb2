// One keystroke of the grid's search over 100,000 rows, against a plain loop that tests
// the same strings for the same text. Run against the local Firebird server (a test
// database of its own, dropped afterwards). Prints the times and their ratio.

#include "Tables.h"
#include "widgets/DataSetTableModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int rowCount = 100000;
constexpr int repeats = 7;

// 100,000 doctors with varied names, numbers and positions, made on the server.
const char *fill()
{
    return "sql:set term ^ ;"
           " execute block as declare i integer = 0; begin"
           "  while (i < 100000) do begin"
           "   insert into dokter (nama, nip, jabatan) values ("
           "    'Dokter ' || :i || ' ' || substring('AbuBakarCitraDewiEkoFajarGita' from mod(:i, 20) + 1 for 6),"
           "    lpad(:i * 7919, 12, '0'),"
           "    substring('UmumGigiAnakBedahMataKulitSarafJantung' from mod(:i, 30) + 1 for 8));"
           "   i = i + 1; end end^"
           " set term ; ^";
}

double medianMs(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    TestDatabase tdb({fill()});
    Connection connection(tdb);
    const auto table = doctors(connection);
    fb::DataSet &ds = table->ds;
    ds.open();
    widgets::DataSetTableModel model(&table->source);
    std::printf("rows: %d, columns: %d\n", model.rowCount(), model.columnCount());

    // The first search decodes every row's text once.
    QElapsedTimer timer;
    timer.start();
    model.setFilterText("a");
    std::printf("first search (decodes and caches the rows): %.2f ms, %d rows shown\n", timer.nsecsElapsed() / 1e6,
                model.rowCount());

    // The baseline: the same strings, already decoded, tested in a plain loop.
    std::vector<QString> strings;
    strings.reserve(rowCount);
    for (int row = 0; row < ds.rowCount(); ++row) {
        QString s;
        for (int f = 0; f < ds.fields().size(); ++f)
            s += ds.value(row, f).toString() + QChar(0x1F);
        strings.push_back(s.toCaseFolded());
    }

    const QStringList keystrokes{"g", "gi", "gig", "dokter 9", "bedah", "zz"};
    std::vector<double> modelTimes, loopTimes;
    volatile int sink = 0;
    for (int r = 0; r < repeats; ++r) {
        for (const QString &text : keystrokes) {
            model.setFilterText(QString()); // every keystroke below scans all rows
            timer.restart();
            model.setFilterText(text);
            modelTimes.push_back(timer.nsecsElapsed() / 1e6);
            const int shown = model.rowCount();

            timer.restart();
            const QString needle = text.toCaseFolded();
            int found = 0;
            for (const QString &s : strings)
                found += s.contains(needle) ? 1 : 0;
            loopTimes.push_back(timer.nsecsElapsed() / 1e6);
            sink = sink + found;
            if (found != shown) {
                std::printf("MISMATCH for \"%s\": model %d, loop %d\n", qPrintable(text), shown, found);
                return 1;
            }
        }
    }
    const double modelMs = medianMs(modelTimes), loopMs = medianMs(loopTimes);
    std::printf("one keystroke, median of %zu: model filter %.3f ms, plain loop %.3f ms, ratio %.2f (limit 3)\n",
                modelTimes.size(), modelMs, loopMs, modelMs / loopMs);
    return 0;
}
