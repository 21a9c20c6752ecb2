// The doctors view over 100,000 rows: opening it (its reload over a fresh connection, grid
// included) against a plain fetch of the same rows through the client library, and one
// keystroke in its search box against a plain loop over the same strings. Both pairs run
// interleaved in the same process; prints the medians and their ratios.
#include "PlainFetch.h"
#include "ShellFixture.h"

#include "Instances.h"
#include "dmMaster.h"
#include "dokteru.h"

#include "fb/DataSet.h"
#include "widgets/DBGrid.h"
#include "widgets/DataSetTableModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int rowCount = 100000;
constexpr int rounds = 7;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double elapsedMs(const QElapsedTimer &t) { return double(t.nsecsElapsed()) / 1e6; }

// The rows' searchable text as the grid shows it, case-folded once.
std::vector<QString> searchStrings(const fb::DataSet &ds)
{
    std::vector<QString> strings;
    strings.reserve(size_t(ds.rowCount()));
    for (int row = 0; row < ds.rowCount(); ++row) {
        QString s;
        for (int f = 0; f < ds.fields().size(); ++f)
            s += ds.value(row, f).toString() + QChar(0x1F);
        strings.push_back(s.toCaseFolded());
    }
    return strings;
}

bool benchOpen(TForm1_dokter &view, PlainFetch &plain)
{
    plain.run(); // warm the server's cache for both
    std::vector<double> plainMs, viewMs;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        const int n = plain.run();
        plainMs.push_back(elapsedMs(t));
        t.restart();
        view.FormShow(); // closes dataMaster.db1, reconnects, reads every row, fills the grid
        QApplication::processEvents();
        viewMs.push_back(elapsedMs(t));
        if (n != rowCount || view.grid1->model()->rowCount() != rowCount) {
            std::fprintf(stderr, "row counts differ: %d / %d\n", n, view.grid1->model()->rowCount());
            return false;
        }
    }
    const double p = median(plainMs), o = median(viewMs);
    std::printf("open, median of %d: plain fetch %.1f ms, doctors view reload %.1f ms, ratio %.2f (limit 1.5)\n",
                rounds, p, o, o / p);
    return true;
}

bool benchSearch(TForm1_dokter &view)
{
    QLineEdit *box = view.grid1->searchBox();
    widgets::DataSetTableModel *model = view.grid1->model();
    box->setText("a"); // the first search decodes and caches every row's text
    box->clear();
    const std::vector<QString> strings = searchStrings(view.dataSet());
    const QStringList keystrokes{"u", "um", "umu", "nomor 9", "poli 1", "zz"};
    std::vector<double> viewMs, loopMs;
    volatile int sink = 0;
    for (int r = 0; r < rounds; ++r) {
        for (const QString &text : keystrokes) {
            box->clear(); // each keystroke below scans every row
            QElapsedTimer t;
            t.start();
            box->setText(text);
            viewMs.push_back(elapsedMs(t));
            const int shown = model->rowCount();
            t.restart();
            const QString needle = text.toCaseFolded();
            int found = 0;
            for (const QString &s : strings)
                found += s.contains(needle) ? 1 : 0;
            loopMs.push_back(elapsedMs(t));
            sink = sink + found;
            if (found != shown) {
                std::fprintf(stderr, "search \"%s\": view %d, loop %d\n", qPrintable(text), shown, found);
                return false;
            }
        }
    }
    const double v = median(viewMs), l = median(loopMs);
    std::printf("one keystroke, median of %zu: doctors view search %.3f ms, plain loop %.3f ms, ratio %.2f (limit 3)\n",
                viewMs.size(), v, l, v / l);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        ShellFixture fixture({doctorFillScript(rowCount)});
        PlainFetch plain(fixture.db, "select * from dokter");
        TForm1_dokter view(nullptr);
        view.resize(1000, 700);
        view.show();
        std::printf("rows: %d\n", rowCount);
        const bool ok = benchOpen(view, plain) && benchSearch(view);
        return ok ? 0 : 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_views: %s\n", e.what());
        return 1;
    }
}
