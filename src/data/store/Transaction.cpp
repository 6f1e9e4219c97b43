#include "data/store/Transaction.h"

#include "data/store/DatabaseState.h"
#include "data/store/StoreError.h"

namespace data {

Transaction::Transaction(const Database &db) : m_db(db)
{
    DatabaseState &s = m_db.state();
    if (!m_db.inTransaction()) {
        // IMMEDIATE: the write lock is taken now, so a busy file is found before any work is
        // done and numbers read for new rows stay ours until the commit.
        s.transactions.clear();
        s.runKept(s.connection->beginText());
    } else {
        // Named by its level: the open ones have distinct levels, and the names stay few, so
        // their statements are kept prepared.
        const QString name = QStringLiteral("lumesco_tx%1").arg(s.transactions.size());
        s.runKept(QStringLiteral("SAVEPOINT ") + name);
        m_savepoint = name;
    }
    m_serial = ++s.transactionSerial;
    s.transactions.append(m_serial);
}

Transaction::~Transaction()
{
    try {
        rollback();
    } catch (...) {
    }
}

qsizetype Transaction::level() const
{
    return m_serial ? m_db.state().transactions.indexOf(m_serial) : -1;
}

void Transaction::commit()
{
    const qsizetype at = level();
    if (at < 0)
        throw StoreError(QStringLiteral("Nenhuma transação em andamento."));
    DatabaseState &s = m_db.state();
    if (at + 1 < s.transactions.size())
        throw StoreError(QStringLiteral("Uma transação interna ainda está em andamento; conclua-a antes."));
    s.runKept(isNested() ? QStringLiteral("RELEASE ") + m_savepoint : QStringLiteral("COMMIT"));
    s.transactions.resize(at);
    m_serial = 0;
}

void Transaction::rollback()
{
    const qsizetype at = level();
    m_serial = 0;
    if (at < 0)
        return;
    DatabaseState &s = m_db.state();
    // Inner transactions still open end with this one.
    s.transactions.resize(at);
    if (!m_db.inTransaction())
        return; // the engine ended it already (a failed commit, a full disk)
    if (isNested()) {
        s.runKept(QStringLiteral("ROLLBACK TO ") + m_savepoint);
        s.runKept(QStringLiteral("RELEASE ") + m_savepoint);
    } else {
        s.runKept(QStringLiteral("ROLLBACK"));
    }
}

Savepoint::Savepoint(const Database &db) : m_db(db)
{
    DatabaseState &s = m_db.state();
    // Row savepoints nest (each lives in a scope), so a depth names each open one uniquely.
    m_name = QStringLiteral("lumesco_row%1").arg(s.rowSavepoints + 1);
    s.runKept(QStringLiteral("SAVEPOINT ") + m_name);
    ++s.rowSavepoints;
    m_active = true;
}

Savepoint::~Savepoint()
{
    if (m_active) {
        try {
            rollback();
        } catch (...) {
        }
    }
}

void Savepoint::release()
{
    if (!m_active)
        return;
    m_active = false;
    DatabaseState &s = m_db.state();
    --s.rowSavepoints;
    s.runKept(QStringLiteral("RELEASE ") + m_name);
}

void Savepoint::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    DatabaseState &s = m_db.state();
    --s.rowSavepoints;
    s.runKept(QStringLiteral("ROLLBACK TO ") + m_name);
    s.runKept(QStringLiteral("RELEASE ") + m_name);
}

} // namespace data
