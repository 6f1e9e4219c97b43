#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Keeps a second copy of the program from running for the same user on the same workstation.
// The first copy holds a lock file named after both; a copy that dies leaves a stale lock,
// which the next start takes over.
namespace app {

QString alreadyRunningMessage();

class SingleInstance
{
public:
    explicit SingleInstance(const QString &lockDirectory);
    ~SingleInstance();

    // True when no other copy holds the lock; this copy then holds it until destroyed.
    bool tryAcquire();

    // File name of the lock for a user on a workstation (unsafe characters replaced).
    static QString lockFileName(const QString &userName, const QString &hostName);
    // The lock directory the program uses: the system's temporary folder.
    static QString defaultLockDirectory();

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace app
