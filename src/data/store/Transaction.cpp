#include "data/store/Transaction.h"

#include "data/store/DatabaseState.h"
#include "data/store/StoreError.h"

namespace data {

Transaction::Transaction(const Database &db) : m_db(db)
{
    if (m_db.inTransaction())
        throw StoreError(QStringLiteral("Já existe uma transação em andamento neste banco de dados."));
    // IMMEDIATE: take the write lock now, so a busy file is found before any work is done.
    m_db.state().runPlain(QStringLiteral("BEGIN IMMEDIATE"));
    m_active = true;
}

Transaction::~Transaction()
{
    if (m_active) {
        try {
            rollback();
        } catch (...) {
        }
    }
}

void Transaction::commit()
{
    if (!m_active)
        throw StoreError(QStringLiteral("Nenhuma transação em andamento."));
    m_db.state().runPlain(QStringLiteral("COMMIT"));
    m_active = false;
}

void Transaction::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    if (m_db.inTransaction())
        m_db.state().runPlain(QStringLiteral("ROLLBACK"));
}

Savepoint::Savepoint(const Database &db) : m_db(db)
{
    DatabaseState &s = m_db.state();
    m_name = QStringLiteral("lumesco_row%1").arg(++s.savepointCounter);
    s.runPlain(QStringLiteral("SAVEPOINT ") + m_name);
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
    m_db.state().runPlain(QStringLiteral("RELEASE ") + m_name);
}

void Savepoint::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    DatabaseState &s = m_db.state();
    s.runPlain(QStringLiteral("ROLLBACK TO ") + m_name);
    s.runPlain(QStringLiteral("RELEASE ") + m_name);
}

} // namespace data
