#include "data/store/PgAppendQueue.h"

#include "data/store/PgConnection.h"
#include "data/store/StoreError.h"

#include <QScopeGuard>
#include <QVarLengthArray>

#include <libpq-fe.h>

#include <algorithm>
#include <utility>

namespace data {

namespace {

// Up to this many rows (or bytes of rows) wait for the next statement; then they go at once.
constexpr qsizetype kMaxHeldRows = 5000;
constexpr qsizetype kMaxHeldBytes = 4 << 20;
// Fewer rows than this go as INSERTs in one pipeline: a COPY costs two round trips more.
constexpr qsizetype kFewestForCopy = 32;

// A value in COPY's text form: backslash, tab and line breaks escaped.
void appendCopyText(QByteArray &line, const QByteArray &value)
{
    const auto special = [](char c) { return c == '\\' || c == '\t' || c == '\n' || c == '\r'; };
    if (std::none_of(value.begin(), value.end(), special)) {
        line += value;
        return;
    }
    for (const char c : value) {
        switch (c) {
        case '\\':
            line += "\\\\";
            break;
        case '\t':
            line += "\\t";
            break;
        case '\n':
            line += "\\n";
            break;
        case '\r':
            line += "\\r";
            break;
        default:
            line += c;
        }
    }
}

// The rows of COPY text read back, a row at a time, as an INSERT's values (null for \N): a
// batch keeps only its text, and the rare batch sent again as INSERTs reads it back.
class CopyRows
{
public:
    explicit CopyRows(const QByteArray &lines) : m_lines(lines) {}

    bool next()
    {
        if (m_at >= m_lines.size())
            return false;
        m_texts.clear();
        m_values.clear();
        QByteArray text;
        bool isNull = false;
        const auto endField = [&] {
            m_texts.append(isNull ? QByteArray() : text);
            m_nulls.append(isNull);
            text.clear();
            isNull = false;
        };
        m_nulls.clear();
        for (; m_at < m_lines.size(); ++m_at) {
            const char c = m_lines[m_at];
            if (c == '\n' || c == '\t') {
                endField();
                if (c == '\n') {
                    ++m_at;
                    break;
                }
            } else if (c == '\\' && m_at + 1 < m_lines.size()) {
                const char escaped = m_lines[++m_at];
                if (escaped == 'N' && text.isEmpty())
                    isNull = true;
                else
                    text += escaped == 't' ? '\t' : escaped == 'n' ? '\n' : escaped == 'r' ? '\r' : escaped;
            } else {
                text += c;
            }
        }
        for (qsizetype i = 0; i < m_texts.size(); ++i)
            m_values.append(m_nulls[i] ? nullptr : m_texts[i].constData());
        return true;
    }
    const char *const *values() const { return m_values.constData(); }
    int count() const { return int(m_values.size()); }

private:
    const QByteArray &m_lines;
    qsizetype m_at = 0;
    QByteArrayList m_texts;
    QList<bool> m_nulls;
    QVarLengthArray<const char *, 32> m_values;
};

bool succeeded(const PGresult *result)
{
    const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

bool run(PGconn *conn, const char *sql)
{
    PGresult *result = PQexec(conn, sql);
    const bool ok = succeeded(result);
    PQclear(result);
    return ok;
}

// The table a COPY writes to ("COPY t (a, b) FROM STDIN").
QByteArray tableOf(const QByteArray &copySql)
{
    return copySql.mid(5, copySql.indexOf(" (") - 5);
}

// The batch's savepoint, taken back after a refusal.
void undoBatch(PGconn *conn)
{
    run(conn, "ROLLBACK TO lumesco_batch; RELEASE lumesco_batch");
}

} // namespace

void PgAppendQueue::hold(const QByteArray &copySql, const QByteArray &insertSql, const QString &sql, const QByteArrayList &values,
                         const QList<bool> &nulls)
{
    if (m_groups.isEmpty() || m_groups.last().insertSql != insertSql)
        m_groups.append(Group{copySql, insertSql, sql, {}, 0});
    Group &group = m_groups.last();
    const qsizetype before = group.lines.size();
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            group.lines += '\t';
        if (nulls[i])
            group.lines += "\\N";
        else
            appendCopyText(group.lines, values[i]);
    }
    group.lines += '\n';
    ++group.rows;
    m_heldBytes += group.lines.size() - before;
    if (++m_heldRows >= kMaxHeldRows || m_heldBytes >= kMaxHeldBytes)
        sendInBackground();
}

void PgAppendQueue::drop(bool wholeTransaction)
{
    wait();
    if (wholeTransaction)
        m_connection.forgetIndexesAside();
    m_refused.clear(); // taken back already, and now undone with the rest
    m_groups.clear();
    m_heldRows = 0;
    m_heldBytes = 0;
}

void PgAppendQueue::wait()
{
    if (m_worker.joinable())
        m_worker.join();
}

void PgAppendQueue::send()
{
    if (m_sending)
        return;
    resendRefused();
    if (!m_groups.isEmpty()) {
        m_connection.sendWaitingControl();
        const QList<Group> groups = std::exchange(m_groups, {});
        m_heldRows = 0;
        m_heldBytes = 0;
        const QString refusal = sendGroups(groups, true);
        if (!refusal.isEmpty())
            throw StoreError(refusal);
    }
    m_connection.restoreIndexes();
}

void PgAppendQueue::sendInBackground()
{
    resendRefused();
    m_connection.sendWaitingControl();
    for (const Group &group : std::as_const(m_groups))
        if (group.rows >= kFewestForCopy)
            m_connection.setIndexesAside(tableOf(group.copySql));
    PGconn *conn = m_connection.handle();
    m_heldRows = 0;
    m_heldBytes = 0;
    m_worker = std::thread([this, conn, groups = std::exchange(m_groups, {})] {
        for (const Group &group : groups)
            if (!sendWhole(conn, group))
                m_refused.append(group);
    });
}

void PgAppendQueue::resendRefused()
{
    wait();
    if (m_refused.isEmpty())
        return;
    // Sent whole once already: now a row at a time, to find the refused one.
    const QString refusal = sendGroups(std::exchange(m_refused, {}), false);
    if (!refusal.isEmpty())
        throw StoreError(refusal);
}

QString PgAppendQueue::sendGroups(const QList<Group> &groups, bool wholeFirst)
{
    m_sending = true;
    const auto sent = qScopeGuard([this] { m_sending = false; });
    QString firstRefusal;
    for (const Group &group : groups) {
        if (wholeFirst && sendWhole(m_connection.handle(), group))
            continue;
        const QString refusal = sendEachAlone(group);
        if (firstRefusal.isEmpty())
            firstRefusal = refusal;
    }
    return firstRefusal;
}

bool PgAppendQueue::sendWhole(PGconn *conn, const Group &group)
{
    return group.rows >= kFewestForCopy ? sendByCopy(conn, group) : sendByPipeline(conn, group);
}

bool PgAppendQueue::sendByCopy(PGconn *conn, const Group &group)
{
    if (!run(conn, "SAVEPOINT lumesco_batch"))
        return false;
    PGresult *started = PQexec(conn, group.copySql.constData());
    const bool copying = PQresultStatus(started) == PGRES_COPY_IN;
    PQclear(started);
    bool ok = copying;
    if (copying) {
        const bool written = PQputCopyData(conn, group.lines.constData(), int(group.lines.size())) == 1;
        ok = PQputCopyEnd(conn, written ? nullptr : "interrompido") == 1 && written;
        while (PGresult *result = PQgetResult(conn)) {
            ok = ok && succeeded(result);
            PQclear(result);
        }
    }
    if (ok)
        ok = run(conn, "RELEASE lumesco_batch");
    if (!ok)
        undoBatch(conn);
    return ok;
}

bool PgAppendQueue::sendByPipeline(PGconn *conn, const Group &group)
{
    if (PQenterPipelineMode(conn) != 1)
        return false;
    PQsendQueryParams(conn, "SAVEPOINT lumesco_batch", 0, nullptr, nullptr, nullptr, nullptr, 0);
    for (CopyRows row(group.lines); row.next();)
        PQsendQueryParams(conn, group.insertSql.constData(), row.count(), nullptr, row.values(), nullptr, nullptr, 0);
    PQsendQueryParams(conn, "RELEASE lumesco_batch", 0, nullptr, nullptr, nullptr, nullptr, 0);
    PQpipelineSync(conn);
    // Each answer ends with a null; the sync point ends them all.
    const qsizetype queries = group.rows + 2;
    bool ok = true;
    for (qsizetype nulls = 0; nulls <= queries + 1;) {
        PGresult *result = PQgetResult(conn);
        if (!result) {
            ++nulls;
            continue;
        }
        const ExecStatusType status = PQresultStatus(result);
        PQclear(result);
        if (status == PGRES_PIPELINE_SYNC)
            break;
        ok = ok && (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK);
    }
    PQexitPipelineMode(conn);
    if (!ok && PQtransactionStatus(conn) == PQTRANS_INERROR)
        undoBatch(conn);
    return ok;
}

QString PgAppendQueue::sendEachAlone(const Group &group)
{
    PGconn *conn = m_connection.handle();
    QString firstRefusal;
    for (CopyRows row(group.lines); row.next();) {
        PGresult *result = m_connection.runAlone(group.insertSql, row.values(), row.count(), {}, false, nullptr);
        if (!succeeded(result) && firstRefusal.isEmpty())
            firstRefusal = pgErrorText(conn, result, group.sql);
        PQclear(result);
    }
    return firstRefusal;
}

} // namespace data
