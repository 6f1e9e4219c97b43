#include "data/store/TableLocks.h"

#include "data/store/Database.h"
#include "data/store/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QMutex>
#include <QWeakPointer>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace data {

namespace {

// Each table gets one byte of the lock file, far apart by a hash of its name.
quint64 offsetOf(const QString &table)
{
    quint64 hash = 1469598103934665603ULL;
    for (QChar c : table.toUpper()) {
        hash ^= c.unicode();
        hash *= 1099511628211ULL;
    }
    return 4096 + (hash % (quint64(1) << 40));
}

QString lockFileName()
{
    return QFileInfo(QString::fromLatin1(kStoreFileName)).completeBaseName() + QStringLiteral(".lck");
}

// The lock file's bytes.
class FileTableLocks : public TableLocks
{
public:
    explicit FileTableLocks(const QString &lockFile);
    ~FileTableLocks() override;
    bool isOpenElsewhere(const QString &table) const override;

protected:
    bool lockOne(const QString &table, Kind kind) override { return lockByte(table, kind); }

private:
    bool lockByte(const QString &table, Kind kind) const;

    QString m_path;
    std::intptr_t m_handle = -1;
};

} // namespace

std::shared_ptr<TableLocks> TableLocks::forDirectory(const QString &directory)
{
    static QMutex mutex;
    static QMap<QString, std::weak_ptr<TableLocks>> registry;
    QMutexLocker locker(&mutex);
    const QString path = QDir(directory).absoluteFilePath(lockFileName());
    const QString key = QFileInfo(path).absoluteFilePath();
    if (auto existing = registry.value(key).lock())
        return existing;
    std::shared_ptr<TableLocks> locks = std::make_shared<FileTableLocks>(path);
    registry.insert(key, locks);
    return locks;
}

FileTableLocks::FileTableLocks(const QString &lockFile) : m_path(lockFile)
{
#ifdef Q_OS_WIN
    HANDLE h = CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(lockFile).utf16()),
                           GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    m_handle = h == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(h);
#else
    m_handle = ::open(QFile::encodeName(lockFile).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_handle < 0) // a read-only directory: nobody else can write there either
        m_handle = ::open(QFile::encodeName(lockFile).constData(), O_RDONLY | O_CLOEXEC);
#endif
}

FileTableLocks::~FileTableLocks()
{
    if (m_handle < 0)
        return;
#ifdef Q_OS_WIN
    CloseHandle(reinterpret_cast<HANDLE>(m_handle));
#else
    ::close(int(m_handle));
#endif
}

bool FileTableLocks::lockByte(const QString &table, Kind kind) const
{
    if (m_handle < 0)
        return true; // no lock file (read-only medium): nothing to share it with
    const quint64 offset = offsetOf(table);
#ifdef Q_OS_WIN
    OVERLAPPED overlapped = {};
    overlapped.Offset = DWORD(offset & 0xFFFFFFFF);
    overlapped.OffsetHigh = DWORD(offset >> 32);
    HANDLE h = reinterpret_cast<HANDLE>(m_handle);
    if (kind == Kind::None)
        return UnlockFileEx(h, 0, 1, 0, &overlapped) != 0;
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (kind == Kind::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    return LockFileEx(h, flags, 0, 1, 0, &overlapped) != 0;
#else
    struct flock lock = {};
    lock.l_type = kind == Kind::Shared ? F_RDLCK : kind == Kind::Exclusive ? F_WRLCK : F_UNLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = off_t(offset);
    lock.l_len = 1;
    int rc;
    do {
        rc = fcntl(int(m_handle), F_SETLK, &lock);
    } while (rc < 0 && errno == EINTR);
    // EBADF: the lock file could only be opened read-only, so no one can lock it exclusively.
    return rc == 0 || errno == EBADF;
#endif
}

void TableLocks::acquireShared(const QString &table)
{
    const QString key = table.toUpper();
    if (m_exclusive.contains(key))
        throw StoreError(QStringLiteral("A tabela %1 está em uso exclusivo por outra operação.").arg(key));
    if (m_shared.value(key) == 0 && !lockOne(key, Kind::Shared))
        throw StoreError(QStringLiteral("A tabela %1 está em uso exclusivo por outro usuário.").arg(key));
    ++m_shared[key];
}

void TableLocks::acquireExclusive(const QString &table)
{
    const QString key = table.toUpper();
    if (m_exclusive.contains(key) || m_shared.value(key) > 0)
        throw StoreError(QStringLiteral("A tabela %1 está aberta em outra janela do programa.").arg(key));
    if (!lockOne(key, Kind::Exclusive))
        throw StoreError(QStringLiteral("A tabela %1 está sendo usada por outro usuário.").arg(key));
    m_exclusive.insert(key);
}

void TableLocks::release(const QString &table, bool exclusive)
{
    const QString key = table.toUpper();
    if (exclusive) {
        if (m_exclusive.remove(key))
            lockOne(key, Kind::None);
        return;
    }
    auto it = m_shared.find(key);
    if (it == m_shared.end())
        return;
    if (--it.value() == 0) {
        m_shared.erase(it);
        lockOne(key, Kind::None);
    }
}

QStringList TableLocks::openTables() const
{
    QStringList names = m_shared.keys();
    for (const QString &t : m_exclusive)
        names.append(t);
    names.sort();
    names.removeDuplicates();
    return names;
}

bool TableLocks::isOpen(const QString &table) const
{
    const QString key = table.toUpper();
    return m_shared.contains(key) || m_exclusive.contains(key);
}

bool FileTableLocks::isOpenElsewhere(const QString &table) const
{
    if (m_handle < 0)
        return false;
#ifdef Q_OS_WIN
    // Windows has no lock query: try to take the byte exclusively for a moment. It fails as
    // well while this process holds it, so only ask when it does not.
    const QString key = table.toUpper();
    if (isOpen(key))
        return false;
    if (!lockByte(key, Kind::Exclusive))
        return true;
    lockByte(key, Kind::None);
    return false;
#else
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = off_t(offsetOf(table));
    lock.l_len = 1;
    if (fcntl(int(m_handle), F_GETLK, &lock) != 0)
        return false;
    return lock.l_type != F_UNLCK; // this process's own locks never show here
#endif
}

} // namespace data
