#pragma once

#include <memory>

namespace data {

class Database;
class Transaction;

// The transaction around one dataset write whose rules take new numbers or change other rows:
// a before-handler begins it, the after-handler commits it, the error handlers roll it back.
// Numbers read inside it are written by the same transaction, and the write lock it takes at
// once keeps another workstation from reading the same number meanwhile. Inside a bulk run's
// transaction it becomes a savepoint of that run.
//
// Show no message box while it is active: the lock would wait on the person at the screen.
class RowTransaction
{
public:
    RowTransaction();
    ~RowTransaction();
    RowTransaction(const RowTransaction &) = delete;
    RowTransaction &operator=(const RowTransaction &) = delete;

    // Rolls back what a previous write left open (a write that failed without its error
    // handler running), then begins. Throws StoreError when the database is busy.
    void begin(const Database &db);
    // Both do nothing when no write is open.
    void commit();
    void rollback();

private:
    std::unique_ptr<Transaction> m_transaction;
};

} // namespace data
