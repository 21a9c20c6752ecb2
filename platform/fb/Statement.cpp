#include "Statement.h"

#include "Codec.h"
#include "DatabaseImpl.h"
#include "ParameterMessage.h"
#include "TransactionImpl.h"

namespace fb {

using client::Ref;
using client::Status;

namespace {

QByteArray readBlob(Firebird::IAttachment *att, Firebird::ITransaction *tra, ISC_QUAD id, Status &status)
{
    QByteArray out;
    Ref<Firebird::IBlob> blob(att->openBlob(status.get(), tra, &id, 0, nullptr));
    if (status.failed())
        return out;
    char chunk[16384];
    for (;;) {
        unsigned got = 0;
        const int r = blob->getSegment(status.get(), sizeof chunk, chunk, &got);
        if (r == Firebird::IStatus::RESULT_OK || r == Firebird::IStatus::RESULT_SEGMENT)
            out.append(chunk, got);
        else
            break;
    }
    if (status.failed())
        return out;
    blob->close(status.get());
    if (!status.failed())
        blob.take(); // a closed blob has released itself
    return out;
}

// Decodes a fetched row whose blobs must be read now, while its transaction lives.
Row decodeWithBlobs(const RowSet &set, const QByteArray &raw, Firebird::IAttachment *att,
                    Firebird::ITransaction *tra, Status &status)
{
    Row row;
    row.values.resize(set.layout.columns.size());
    for (int c = 0; c < row.values.size() && !status.failed(); ++c) {
        const Column &col = set.layout.columns[c];
        if (col.sqlType != SQL_BLOB)
            row.values[c] = set.layout.value(raw.constData(), c, set.trimChar);
        else if (!set.layout.isNull(raw.constData(), c)) {
            ISC_QUAD id;
            std::memcpy(&id, raw.constData() + col.offset, sizeof id);
            row.values[c] = readBlob(att, tra, id, status);
        }
    }
    return row;
}

} // namespace

Statement::Statement(Database &db)
    : db_(db), registration_(db.impl().registry, &Registry::statements, this)
{
}

Statement::~Statement()
{
    // A closed connection has already discarded every statement (even a Database that
    // went first), so the connection is asked only while a handle is held.
    if (handle_)
        discard(db_.isConnected());
}

void Statement::setSql(const QString &sql)
{
    if (sql == sql_)
        return;
    if (handle_)
        discard(db_.isConnected());
    sql_ = sql;
    positional_ = toPositional(sql);
}

void Statement::requireKnownNames(const QStringList &names) const
{
    for (const QString &name : names)
        if (!positional_.names.contains(name))
            throw Error(Error::Kind::General,
                        QString("Unknown parameter \"%1\" in statement: %2").arg(name, sql_.simplified()));
}

void Statement::discard(bool serverAlive)
{
    if (!handle_)
        return;
    if (serverAlive) {
        Status status;
        handle_->free(status.get());
        if (!status.failed()) {
            handle_ = nullptr; // freed and released
            return;
        }
    }
    client::releaseRef(handle_);
}

void Statement::prepare(Transaction &transaction)
{
    auto &db = db_.impl();
    if (handle_ && generation_ == db.generation)
        return;
    client::releaseRef(handle_); // made on an earlier attachment
    if (isEmpty())
        throw Error(Error::Kind::General, "Empty statement text");
    Status status;
    const QByteArray text = toClientText(positional_.sql);
    auto *handle = db.attachment->prepare(status.get(), transaction.impl().handle, 0, text.constData(), 3,
                                          Firebird::IStatement::PREPARE_PREFETCH_METADATA);
    db.check(status);
    handle_ = handle;
    generation_ = db.generation;
}

Statement::Result Statement::run(Transaction &transaction, const QHash<QString, QVariant> &params, bool trimChar)
{
    db_.ensureConnected();
    transaction.start();
    prepare(transaction);
    auto &db = db_.impl();
    Firebird::ITransaction *tra = transaction.impl().handle;
    Status status;

    Ref<Firebird::IMessageMetadata> inMeta(handle_->getInputMetadata(status.get()));
    db.check(status);
    const unsigned inCount = inMeta->getCount(status.get());
    if (inCount != unsigned(positional_.names.size()))
        throw Error(Error::Kind::General, QString("Statement has %1 parameters, its text names %2: %3")
                                              .arg(inCount).arg(positional_.names.size()).arg(sql_.simplified()));
    QVector<QVariant> values;
    for (const QString &name : positional_.names)
        values << params.value(name);
    ParameterMessage input;
    input.build(inMeta.get(), values, status);
    db.check(status);

    Ref<Firebird::IMessageMetadata> outMeta(handle_->getOutputMetadata(status.get()));
    db.check(status);
    Result result;
    result.rows.trimChar = trimChar;
    result.rows.layout = MessageLayout::describe(outMeta.get(), status);
    db.check(status);
    const unsigned type = handle_->getType(status.get());
    db.check(status);
    result.hasOutput = !result.rows.layout.columns.isEmpty();

    if (type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd) {
        Ref<Firebird::IResultSet> cursor(
            handle_->openCursor(status.get(), tra, input.metadata(), input.buffer(), outMeta.get(), 0));
        db.check(status);
        const int length = int(result.rows.layout.length);
        for (;;) {
            QByteArray raw(length, Qt::Uninitialized);
            const int r = cursor->fetchNext(status.get(), raw.data());
            if (r != Firebird::IStatus::RESULT_OK)
                break;
            if (result.rows.layout.hasBlobs)
                result.rows.rows.push_back(decodeWithBlobs(result.rows, raw, db.attachment, tra, status));
            else
                result.rows.rows.push_back(Row{std::move(raw), {}});
        }
        db.check(status);
        cursor->close(status.get());
        db.check(status);
        cursor.take(); // a closed cursor has released itself
        return result;
    }

    QByteArray out(int(result.rows.layout.length), '\0');
    handle_->execute(status.get(), tra, input.metadata(), input.buffer(), result.hasOutput ? outMeta.get() : nullptr,
                     result.hasOutput ? out.data() : nullptr);
    db.check(status);
    if (result.hasOutput)
        result.rows.rows.push_back(result.rows.layout.hasBlobs
                                       ? decodeWithBlobs(result.rows, out, db.attachment, tra, status)
                                       : Row{out, {}});
    db.check(status);
    result.affected = int(handle_->getAffectedRecords(status.get()));
    db.check(status);
    return result;
}

} // namespace fb
