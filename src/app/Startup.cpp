#include "app/Startup.h"

#include "app/ConfigFiles.h"
#include "core/ApplicationTitle.h"
#include "core/Clock.h"
#include "core/Session.h"
#include "core/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace app {

namespace {

bool g_firstShowPending = false;

void writeDefaultWhenMissing(const QString &path, const QStringList &lines)
{
    if (QFileInfo::exists(path))
        return;
    QString error;
    if (!core::writeTextLines(path, lines, &error))
        throw StartupError(
            QStringLiteral("Não foi possível gravar o arquivo %1:\r%2").arg(path, error));
}

} // namespace

QString applicationTitle()
{
    return QString::fromUtf8(core::kApplicationTitle);
}

QString programDirectoryFrom(const QString &workingDir, bool fileSystemIgnoresCase)
{
    const QString dir = QDir::cleanPath(workingDir);
    return fileSystemIgnoresCase ? dir.toUpper() : dir;
}

bool fileSystemIgnoresCase(const QString &directory)
{
#ifdef Q_OS_WIN
    Q_UNUSED(directory);
    return true;
#elif defined(Q_OS_UNIX)
    QString other = directory.toUpper();
    if (other == directory)
        other = directory.toLower();
    if (other == directory)
        return false; // no letters: the case can't matter
    struct stat a;
    struct stat b;
    if (::stat(QFile::encodeName(directory).constData(), &a) != 0 ||
        ::stat(QFile::encodeName(other).constData(), &b) != 0)
        return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
#else
    Q_UNUSED(directory);
    return false;
#endif
}

QString programDirectoryFromWorkingDir()
{
    const QString workingDir = QDir::currentPath();
    return programDirectoryFrom(workingDir, fileSystemIgnoresCase(workingDir));
}

core::ProgramDirs runStartupFileSteps(const QString &programDir, const QDate &today)
{
    writeDefaultWhenMissing(configRedePath(programDir),
                            defaultConfigRede(programDir, today.year()));

    core::ProgramDirs dirs;
    dirs.program = programDir;
    dirs.backup = core::joinPath(programDir, QStringLiteral("BACKUP"));
    dirs.help = core::joinPath(programDir, QStringLiteral("AJUDA"));

    const QString usersConfig = usersConfigPath(programDir);
    writeDefaultWhenMissing(usersConfig, defaultUsersConfig(programDir));
    const std::optional<QStringList> lines = core::readTextLines(usersConfig);
    if (!lines)
        throw StartupError(QStringLiteral("Não foi possível ler o arquivo %1.").arg(usersConfig));
    dirs.users = usersDirectoryFrom(*lines);
    return dirs;
}

void runStartup()
{
    core::programDirs() = runStartupFileSteps(programDirectoryFromWorkingDir(), core::today());

    // Qt's own conversions (spin boxes, date editors) follow the same conventions as
    // core/Formats: thousands point, decimal comma, dd/MM/yyyy.
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));

    g_firstShowPending = true;
    core::session().clearUser();
}

bool firstShowPending()
{
    return g_firstShowPending;
}

void setFirstShowPending(bool pending)
{
    g_firstShowPending = pending;
}

} // namespace app
