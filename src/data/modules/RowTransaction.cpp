#include "data/modules/RowTransaction.h"

#include "data/store/Transaction.h"

namespace data {

RowTransaction::RowTransaction() = default;

RowTransaction::~RowTransaction() = default;

void RowTransaction::begin(const Database &db)
{
    rollback();
    if (db.inTransaction())
        m_savepoint = std::make_unique<Savepoint>(db);
    else
        m_transaction = std::make_unique<Transaction>(db);
}

void RowTransaction::commit()
{
    if (m_savepoint) {
        m_savepoint->release();
        m_savepoint.reset();
    }
    if (m_transaction) {
        // A commit that fails leaves the transaction to be rolled back by rollback() or the
        // destructor, so the caller learns it and nothing stays half written.
        m_transaction->commit();
        m_transaction.reset();
    }
}

void RowTransaction::rollback()
{
    m_savepoint.reset();
    m_transaction.reset();
}

bool RowTransaction::isActive() const
{
    return m_savepoint || m_transaction;
}

} // namespace data
