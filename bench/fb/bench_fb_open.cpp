// DataSet::open() over 100,000 rows against a plain fetch loop over the client library
// into one fixed buffer, interleaved in rounds on one connection; prints both medians
// and their ratio.
#include "PlainFetch.h"
#include "TestDatabase.h"
#include "fb/DataSet.h"
#include "fb/Database.h"
#include "fb/Transaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int rowCount = 100000;
constexpr int rounds = 7;
const char *selectSql = "select nama, nip, jabatan from dokter";

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    try {
        TestDatabase tdb({doctorFillScript(rowCount)});
        PlainFetch plain(tdb, selectSql);
        fb::Database db;
        db.setDatabaseName(tdb.connectionString());
        db.setUserName(TestDatabase::user());
        db.setPassword(TestDatabase::password());
        fb::Transaction read(db, fb::TransactionParams::fromKeywords({"read", "nowait", "rec_version", "read_committed"}));
        fb::Transaction write(db, fb::TransactionParams::fromKeywords({"write", "nowait", "concurrency"}));
        fb::DataSet ds(db, read, write);
        ds.setSelectSql(selectSql);

        plain.run(); // warm the server's cache for both
        std::vector<double> plainMs, openMs;
        for (int r = 0; r < rounds; ++r) {
            QElapsedTimer t;
            t.start();
            const int n = plain.run();
            plainMs.push_back(t.nsecsElapsed() / 1e6);
            t.restart();
            ds.close();
            db.close(); // as a view reloads: reconnect, prepare, fetch
            ds.open();
            openMs.push_back(t.nsecsElapsed() / 1e6);
            if (n != rowCount || ds.rowCount() != rowCount) {
                std::fprintf(stderr, "row counts differ: %d / %d\n", n, ds.rowCount());
                return 1;
            }
        }
        const double p = median(plainMs), o = median(openMs);
        std::printf("rows: %d, rounds: %d\n", rowCount, rounds);
        std::printf("plain fetch loop median: %.1f ms\n", p);
        std::printf("DataSet::open median:    %.1f ms\n", o);
        std::printf("ratio open/plain:        %.2f\n", o / p);
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_fb_open: %s\n", e.what());
        return 1;
    }
}
