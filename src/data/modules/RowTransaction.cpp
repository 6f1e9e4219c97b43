#include "data/modules/RowTransaction.h"

#include "data/store/Transaction.h"

namespace data {

RowTransaction::RowTransaction() = default;

RowTransaction::~RowTransaction() = default;

void RowTransaction::begin(const Database &db)
{
    rollback();
    m_transaction = std::make_unique<Transaction>(db);
}

void RowTransaction::commit()
{
    if (!m_transaction)
        return;
    // A commit that fails leaves the transaction to be rolled back by rollback() or the
    // destructor, so the caller learns it and nothing stays half written.
    m_transaction->commit();
    m_transaction.reset();
}

void RowTransaction::rollback()
{
    m_transaction.reset();
}

} // namespace data
