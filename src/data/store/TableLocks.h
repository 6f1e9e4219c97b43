#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

namespace data {

// Who uses which table of one school year, within this process and across workstations.
// Every open table holds a shared lock of its own, and an exclusive use holds an exclusive one;
// whatever holds them (the operating system, the database server) drops them if the program
// dies, so a crash leaves nothing locked. One object per school year per process.
class TableLocks
{
public:
    // A directory's locks: one byte of its lock file per table.
    static std::shared_ptr<TableLocks> forDirectory(const QString &directory);
    virtual ~TableLocks() = default;

    // Throw StoreError with the reason when the table cannot be had.
    void acquireShared(const QString &table);
    void acquireExclusive(const QString &table);
    void release(const QString &table, bool exclusive);

    QStringList openTables() const;
    bool isOpen(const QString &table) const;
    virtual bool isOpenElsewhere(const QString &table) const = 0;

protected:
    TableLocks() = default;
    enum class Kind { Shared, Exclusive, None };
    // Takes (or with None gives back) the process's lock on the table; false when another
    // process holds one that conflicts. `table` is upper case.
    virtual bool lockOne(const QString &table, Kind kind) = 0;

private:
    QHash<QString, int> m_shared;
    QSet<QString> m_exclusive;
};

} // namespace data
