#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

namespace data {

// Who uses which table of one directory, within this process and across workstations.
// Every open table holds a shared lock on its own byte of the directory's lock file, and an
// exclusive use holds an exclusive lock there; the operating system drops them if the program
// dies, so a crash leaves nothing locked. One object per directory per process.
class TableLocks
{
public:
    static std::shared_ptr<TableLocks> forDirectory(const QString &directory);
    ~TableLocks();

    // Throw StoreError with the reason when the table cannot be had.
    void acquireShared(const QString &table);
    void acquireExclusive(const QString &table);
    void release(const QString &table, bool exclusive);

    QStringList openTables() const;
    bool isOpen(const QString &table) const;
    bool isOpenElsewhere(const QString &table) const;

private:
    explicit TableLocks(const QString &lockFile);
    enum class Kind { Shared, Exclusive, None };
    bool lockByte(const QString &table, Kind kind) const;

    QString m_path;
    std::intptr_t m_handle = -1;
    QHash<QString, int> m_shared;
    QSet<QString> m_exclusive;
};

} // namespace data
