#include "data/store/PgConnection.h"

#include "data/store/PgAppendQueue.h"
#include "data/store/PgSqlText.h"
#include "data/store/SqlText.h"
#include "data/store/StoreError.h"

#include <QRegularExpression>

#include <libpq-fe.h>

#include <algorithm>

// The connection's side of appends held in bulk (AppendBatch, PgAppendQueue): row ids taken
// ahead for them, and the plain indexes of an empty table set aside while a big load goes in.
namespace data {

namespace {
using sqltext::quoteName;
using pgsql::folded;
using pgsql::literal;
} // namespace

void PgConnection::setIndexesAside(const QByteArray &table)
{
    if (m_tablesLookedAt.contains(table))
        return;
    m_tablesLookedAt.append(table);
    const QString name = QString::fromUtf8(table);
    if (!rows(QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(name), {}).isEmpty())
        return;
    const auto indexes = rows(QStringLiteral("SELECT pg_get_indexdef(i.indexrelid), i.indexrelid::regclass::text, "
                                             "obj_description(i.indexrelid, 'pg_class') FROM pg_index i "
                                             "WHERE i.indrelid = $1::regclass AND NOT i.indisunique ORDER BY 2"),
                              {name});
    if (indexes.isEmpty())
        return;
    QStringList dropped;
    for (const QStringList &index : indexes)
        dropped.append(index[1]);
    // Dropping needs the table to itself: a desk reading it is waited for a moment, no longer.
    const QString drop = QStringLiteral("SAVEPOINT lumesco_aside; SET LOCAL lock_timeout = '1s'; DROP INDEX %1; "
                                        "SET LOCAL lock_timeout = DEFAULT; RELEASE lumesco_aside")
                             .arg(dropped.join(QStringLiteral(", ")));
    PGresult *r = PQexec(handle(), drop.toUtf8().constData());
    const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK;
    PQclear(r);
    if (!ok) {
        PQclear(PQexec(m_conn, "ROLLBACK TO lumesco_aside; RELEASE lumesco_aside"));
        return;
    }
    for (const QStringList &index : indexes) {
        // Made again only where a rollback to a savepoint has not brought it back already.
        QString make = index[0];
        make.replace(QRegularExpression(QStringLiteral("^CREATE INDEX ")), QStringLiteral("CREATE INDEX IF NOT EXISTS "));
        m_indexesAside.append(make.toUtf8());
        if (!index[2].isEmpty())
            m_indexesAside.append(QStringLiteral("COMMENT ON INDEX %1 IS %2").arg(index[1], literal(index[2])).toUtf8());
    }
}

void PgConnection::restoreIndexes()
{
    m_tablesLookedAt.clear();
    while (!m_indexesAside.isEmpty()) {
        const QByteArray make = m_indexesAside.takeFirst();
        PGresult *r = PQexec(handle(), make.constData());
        if (PQresultStatus(r) != PGRES_COMMAND_OK) {
            const QString text = pgErrorText(m_conn, r, QString::fromUtf8(make));
            PQclear(r);
            m_indexesAside.prepend(make);
            throw StoreError(text);
        }
        PQclear(r);
    }
}

void PgConnection::forgetIndexesAside()
{
    m_indexesAside.clear();
    m_tablesLookedAt.clear();
}

void PgConnection::holdAppends(bool hold)
{
    m_holdingAppends += hold ? 1 : -1;
    if (m_holdingAppends == 0)
        m_reservedRowIds.clear(); // ids taken but not used are simply skipped
}

bool PgConnection::holdsAppends() const
{
    // A batch on its way was sent inside the transaction, which is still open.
    return m_holdingAppends > 0 && (m_appends->isSending() || PQtransactionStatus(m_conn) == PQTRANS_INTRANS);
}

qint64 PgConnection::reserveRowId(const QString &table)
{
    if (!holdsAppends())
        return 0;
    ReservedRowIds &reserved = m_reservedRowIds[table.toLower()];
    QList<qint64> &ids = reserved.ids;
    if (ids.isEmpty()) {
        // Taken from the table's own sequence, in blocks that grow as the rows keep coming: a
        // few rows waste few ids, a year's worth asks seldom (each ask waits for a batch on its
        // way). The sequence is looked up once: per value, the lookup costs more than the value.
        const auto taken = rows(QStringLiteral("WITH s AS MATERIALIZED (SELECT pg_get_serial_sequence($1, 'rowid')::regclass AS seq) "
                                               "SELECT nextval(s.seq) FROM s, generate_series(1, $2) ORDER BY 1 DESC"),
                                {quoteName(m_address.schema) + u'.' + folded(table), QString::number(reserved.nextBlock)});
        reserved.nextBlock = std::min(reserved.nextBlock * 4, 65536);
        for (const QStringList &row : taken)
            ids.append(row[0].toLongLong());
        if (ids.isEmpty())
            return 0;
    }
    return ids.takeLast();
}

} // namespace data
