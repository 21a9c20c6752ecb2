#pragma once

// Shared by the benchmarks that compare the program's reading of rows with the client
// library's own: the baseline fetch loop and the doctors table filled on the server.
#include "TestDatabase.h"

#include <QString>
#include <firebird/Interface.h>
#include <vector>

// The baseline: attach, prepare, fetch every row into the same buffer, close.
class PlainFetch {
public:
    PlainFetch(const TestDatabase &tdb, const char *sql)
        : sql_(sql), master_(Firebird::fb_get_master_interface()), status_(master_->getStatus()), st_(status_)
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
        auto *stmt = att_->prepare(&st_, tra, 0, sql_, 3, Firebird::IStatement::PREPARE_PREFETCH_METADATA);
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
    const char *sql_;
    Firebird::IMaster *master_;
    Firebird::IStatus *status_;
    Firebird::CheckStatusWrapper st_;
    Firebird::IProvider *provider_ = nullptr;
    Firebird::IAttachment *att_ = nullptr;
};

inline QString doctorFillScript(int rowCount)
{
    return QString("sql:set term ^; execute block as declare i integer = 0; begin "
                   "while (i < %1) do begin "
                   "insert into dokter (nama, nip, jabatan) values ('Dokter nomor ' || :i, lpad(:i, 18, '0'), "
                   "'Dokter umum poli ' || mod(:i, 20)); i = i + 1; end end^ set term ;^")
        .arg(rowCount);
}

