#pragma once

#include "data/store/Database.h"

namespace data {

// A bulk run in one transaction: fast, and a crash or an exception leaves nothing half done.
// Posts and statements made meanwhile on the same database join it. Rolls back on
// destruction unless committed. Transactions do not nest; use Savepoint inside one.
class Transaction
{
public:
    explicit Transaction(const Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();
    void rollback();
    bool isActive() const { return m_active; }

private:
    Database m_db;
    bool m_active = false;
};

// One row of a bulk run that may fail alone: everything done since the savepoint is undone on
// destruction unless released. Datasets that posted inside it should be refreshed after an
// undo.
class Savepoint
{
public:
    explicit Savepoint(const Database &db);
    ~Savepoint();
    Savepoint(const Savepoint &) = delete;
    Savepoint &operator=(const Savepoint &) = delete;

    void release();
    void rollback();

private:
    Database m_db;
    QString m_name;
    bool m_active = false;
};

} // namespace data
