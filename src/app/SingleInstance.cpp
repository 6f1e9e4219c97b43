#include "app/SingleInstance.h"

#include "core/ProgramDirs.h"

#include <QDir>
#include <QRegularExpression>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace app {

namespace {

QString currentUserName()
{
    for (const char *variable : {"USER", "USERNAME", "LOGNAME"}) {
        const QString user = qEnvironmentVariable(variable);
        if (!user.isEmpty())
            return user;
    }
#ifdef Q_OS_UNIX
    // Services and containers often run without a login environment.
    if (const passwd *account = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(account->pw_name);
#endif
    return QString();
}

} // namespace

QString alreadyRunningMessage()
{
    return QStringLiteral("Já existe uma cópia do Lumesco na memória");
}

SingleInstance::SingleInstance(const QString &lockDirectory)
    : m_lock(std::make_unique<QLockFile>(core::joinPath(
          lockDirectory, lockFileName(currentUserName(), QSysInfo::machineHostName()))))
{
    // Only a lock whose process is gone counts as stale, however long the program has run.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::tryAcquire()
{
    return m_lock->isLocked() || m_lock->tryLock(0);
}

QString SingleInstance::lockFileName(const QString &userName, const QString &hostName)
{
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._-]"));
    QString name = QStringLiteral("lumesco-%1-%2.lock").arg(userName, hostName);
    return name.replace(unsafe, QStringLiteral("_"));
}

QString SingleInstance::defaultLockDirectory()
{
    return QDir::tempPath();
}

} // namespace app
