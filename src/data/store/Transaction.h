#pragma once

#include "data/store/Database.h"

namespace data {

// A bulk run in one transaction: fast, and a crash or an exception leaves nothing half done.
// Posts and statements made meanwhile on the same database join it. Rolls back on
// destruction unless committed.
//
// The outermost transaction takes the write lock at once (BEGIN IMMEDIATE), so numbers read
// inside it to number new rows cannot be read by another workstation before it ends.
// A transaction opened while another is active on the same database nests: it becomes a
// savepoint of the outer one, so a service that keeps its own work whole can be called from a
// run that does the same. Committing it keeps its work for the outer transaction to commit;
// rolling it back undoes only its own work; rolling the outer one back undoes everything.
class Transaction
{
public:
    explicit Transaction(const Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();
    void rollback();
    bool isActive() const { return level() >= 0; }
    bool isNested() const { return !m_savepoint.isEmpty(); }

private:
    qsizetype level() const; // its place among the open transactions, -1 once ended

    Database m_db;
    QString m_savepoint; // empty for the outermost transaction
    quint64 m_serial = 0;
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
