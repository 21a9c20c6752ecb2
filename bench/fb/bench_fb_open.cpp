// DataSet::open() over 100,000 rows against a plain fetch loop over the client library
// into one fixed buffer, interleaved in rounds on one connection; prints both medians
// and their ratio.
#include "TestDatabase.h"
#include "fb/DataSet.h"
#include "fb/Database.h"
#include "fb/Transaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <firebird/Interface.h>
#include <vector>

namespace {

constexpr int rowCount = 100000;
constexpr int rounds = 7;
const char *selectSql = "select nama, nip, jabatan from dokter";

// The baseline: attach, prepare, fetch every row into the same buffer, close.
class PlainFetch {
public:
    explicit PlainFetch(const TestDatabase &tdb)
        : master_(Firebird::fb_get_master_interface()), status_(master_->getStatus()), st_(status_)
    {
        auto *util = master_->getUtilInterface();
        auto *dpb = util->getXpbBuilder(&st_, Firebird::IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&st_, isc_dpb_user_name, TestDatabase::user().toLatin1().constData());
        dpb->insertString(&st_, isc_dpb_password, TestDatabase::password().toLatin1().constData());
        provider_ = master_->getDispatcher();
        att_ = provider_->attachDatabase(&st_, tdb.connectionString().toLatin1().constData(),
                                         dpb->getBufferLength(&st_), dpb->getBuffer(&st_));
        dpb->dispose();
    }
    ~PlainFetch()
    {
        att_->detach(&st_);
        provider_->release();
        status_->dispose();
    }
    int run()
    {
        auto *tra = att_->startTransaction(&st_, 0, nullptr);
        auto *stmt = att_->prepare(&st_, tra, 0, selectSql, 3, Firebird::IStatement::PREPARE_PREFETCH_METADATA);
        auto *meta = stmt->getOutputMetadata(&st_);
        std::vector<unsigned char> buffer(meta->getMessageLength(&st_));
        auto *cursor = stmt->openCursor(&st_, tra, nullptr, nullptr, meta, 0);
        int rows = 0;
        while (cursor->fetchNext(&st_, buffer.data()) == Firebird::IStatus::RESULT_OK)
            ++rows;
        cursor->close(&st_);
        meta->release();
        stmt->free(&st_);
        tra->commit(&st_);
        return rows;
    }

private:
    Firebird::IMaster *master_;
    Firebird::IStatus *status_;
    Firebird::CheckStatusWrapper st_;
    Firebird::IProvider *provider_ = nullptr;
    Firebird::IAttachment *att_ = nullptr;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QString fillScript()
{
    return QString("sql:set term ^; execute block as declare i integer = 0; begin "
                   "while (i < %1) do begin "
                   "insert into dokter (nama, nip, jabatan) values ('Dokter nomor ' || :i, lpad(:i, 18, '0'), "
                   "'Dokter umum poli ' || mod(:i, 20)); i = i + 1; end end^ set term ;^")
        .arg(rowCount);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    try {
        TestDatabase tdb({fillScript()});
        PlainFetch plain(tdb);
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
