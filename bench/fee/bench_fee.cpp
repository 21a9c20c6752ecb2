// The fee view's reload over 1,000,000 sales against the same daily aggregate run through
// the client library by hand, both over a fresh connection, interleaved in rounds; then
// preparing the month's statement as PDF against the reload alone. Prints medians and
// ratios.
#include "ShellFixture.h"

#include "Instances.h"
#include "frxu.h"

#include "fb/DataSet.h"
#include "fb/Database.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <firebird/Interface.h>
#include <vector>

namespace {

constexpr int saleCount = 1000000;
constexpr int firstYear = 2019;
constexpr int years = 6;
constexpr int rounds = 9;
constexpr int benchYear = 2022;
constexpr int benchMonth = 7;

// Sales spread evenly over every day of six years, some without code or fee.
QString fillScript()
{
    return QString("sql:set term ^; execute block as declare i integer = 0; declare d date; "
                   "declare days integer; begin days = datediff(day from date '%1-01-01' to date '%2-01-01'); "
                   "while (i < %3) do begin d = dateadd(day, mod(i, days), date '%1-01-01'); "
                   "insert into jual (jual_id, jual_kode, tanggal, tahun, bulan, fee_rawat) values (:i, "
                   "iif(mod(:i, 17) = 0, null, 'J' || :i), :d, extract(year from :d), extract(month from :d), "
                   "iif(mod(:i, 13) = 0, null, 250 + mod(:i, 200))); i = i + 1; end end^ set term ;^ commit;")
        .arg(firstYear)
        .arg(firstYear + years)
        .arg(saleCount);
}

// The baseline: attach, prepare the daily aggregate, bind year and month, fetch every
// row into one buffer, detach.
class PlainAggregate {
public:
    explicit PlainAggregate(const TestDatabase &tdb)
        : master_(Firebird::fb_get_master_interface())
        , status_(master_->getStatus())
        , st_(status_)
        , provider_(master_->getDispatcher())
        , connection_(tdb.connectionString().toLatin1())
    {
    }
    ~PlainAggregate()
    {
        provider_->release();
        status_->dispose();
    }

    int run()
    {
        auto *util = master_->getUtilInterface();
        auto *dpb = util->getXpbBuilder(&st_, Firebird::IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&st_, isc_dpb_user_name, TestDatabase::user().toLatin1().constData());
        dpb->insertString(&st_, isc_dpb_password, TestDatabase::password().toLatin1().constData());
        auto *att = provider_->attachDatabase(&st_, connection_.constData(), dpb->getBufferLength(&st_),
                                              dpb->getBuffer(&st_));
        dpb->dispose();
        auto *tra = att->startTransaction(&st_, 0, nullptr);
        auto *stmt = att->prepare(&st_, tra, 0,
                                  "select tanggal, count(jual_kode) jml, sum(fee_rawat) nilai_fee from jual "
                                  "where tahun = ? and bulan = ? group by tanggal order by tanggal",
                                  3, Firebird::IStatement::PREPARE_PREFETCH_METADATA);
        auto *in = stmt->getInputMetadata(&st_);
        std::vector<unsigned char> params(in->getMessageLength(&st_), 0);
        const int values[2] = {benchYear, benchMonth};
        for (unsigned i = 0; i < 2; ++i)
            std::memcpy(params.data() + in->getOffset(&st_, i), &values[i], sizeof(int));
        auto *out = stmt->getOutputMetadata(&st_);
        std::vector<unsigned char> row(out->getMessageLength(&st_));
        auto *cursor = stmt->openCursor(&st_, tra, in, params.data(), out, 0);
        int rows = 0;
        while (cursor->fetchNext(&st_, row.data()) == Firebird::IStatus::RESULT_OK)
            ++rows;
        cursor->close(&st_);
        in->release();
        out->release();
        stmt->free(&st_);
        tra->commit(&st_);
        att->detach(&st_);
        return rows;
    }

private:
    Firebird::IMaster *master_;
    Firebird::IStatus *status_;
    Firebird::CheckStatusWrapper st_;
    Firebird::IProvider *provider_;
    QByteArray connection_;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <typename Work>
double timeMs(Work &&work)
{
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    try {
        QElapsedTimer fillTime;
        fillTime.start();
        ShellFixture shell({fillScript()});
        std::printf("filled %d sales over %d years in %.1f s\n", saleCount, years, fillTime.elapsed() / 1000.0);
        // Another client stays attached throughout, as at a pharmacy where the database is
        // never idle: otherwise whichever side detaches last pays for the server closing the
        // database file and its page cache, and the other side finds it warm.
        fb::Database keeper;
        keeper.setDatabaseName(shell.db.connectionString());
        keeper.setUserName(TestDatabase::user());
        keeper.setPassword(TestDatabase::password());
        keeper.open();
        PlainAggregate plain(shell.db);
        const FeePeriod period{"Apotek Uji", "Jl. Uji No. 2", benchYear, benchMonth};
        const auto reload = [&] { Form1_frx->openPeriod(period); };
        QTemporaryDir dir;
        const QString pdf = dir.filePath("statement.pdf");

        plain.run(); // warm the server's cache for both
        reload();
        std::vector<double> plainMs, reloadMs, pdfMs;
        int plainRows = 0;
        for (int r = 0; r < rounds; ++r) {
            plainMs.push_back(timeMs([&] { plainRows = plain.run(); }));
            reloadMs.push_back(timeMs(reload));
            pdfMs.push_back(timeMs([&] { Form1_frx->renderFeeReportToPdf(pdf); }));
        }
        // BENCH_FEE_PARTS=1 also times the reload's parts: disconnect, heading, daily rows.
        if (qEnvironmentVariableIsSet("BENCH_FEE_PARTS")) {
            std::vector<double> c, h, f;
            for (int r = 0; r < rounds; ++r) {
                c.push_back(timeMs([&] { Form1_frx->db1.close(); Form1_frx->qrentangthbl->close(); }));
                h.push_back(timeMs([&] { Form1_frx->qrentangthbl->open(); }));
                f.push_back(timeMs([&] { Form1_frx->qfeerawat->open(); }));
            }
            std::printf("parts: close %.2f, heading %.2f, daily %.2f\n", median(c), median(h), median(f));
        }
        const int rows = Form1_frx->qfeerawat->rowCount();
        if (rows != plainRows || rows != 31) {
            std::fprintf(stderr, "row counts differ: reload %d, plain %d\n", rows, plainRows);
            return 1;
        }
        const double p = median(plainMs), o = median(reloadMs), d = median(pdfMs);
        std::printf("month %d/%d: %d days, rounds: %d\n", benchMonth, benchYear, rows, rounds);
        std::printf("plain aggregate (attach+query+fetch) median: %.2f ms\n", p);
        std::printf("view reload (openPeriod) median:             %.2f ms\n", o);
        std::printf("ratio reload/plain:                          %.2f (limit 1.30)\n", o / p);
        std::printf("statement to PDF median:                     %.2f ms\n", d);
        std::printf("ratio pdf/reload:                            %.2f\n", d / o);
        return o / p <= 1.3 ? 0 : 2;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_fee: %s\n", e.what());
        return 1;
    }
}
