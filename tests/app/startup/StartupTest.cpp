#include "app/Startup.h"
#include "app/ConfigFiles.h"
#include "core/Formats.h"
#include "core/ProgramDirs.h"
#include "core/Session.h"

#include "support/TempDir.h"

#include "support/QStringPrinting.h"

#include <QDir>
#include <QLocale>
#include <gtest/gtest.h>

namespace {

const QDate kToday(2026, 3, 5);

// Runs a test from inside a folder, as the program runs from its own.
class WorkingDir
{
public:
    explicit WorkingDir(const QString &path) : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(path);
    }
    ~WorkingDir() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

} // namespace

TEST(StartupFiles, WritesBothDefaultsByteExactInAnEmptyFolder)
{
    TempDir dir;
    const core::ProgramDirs dirs = app::runStartupFileSteps(dir.path(), kToday);

    const QByteArray data =
        QDir::toNativeSeparators(dir.path() + QStringLiteral("/Data")).toLocal8Bit();
    EXPECT_EQ(dir.read(QStringLiteral("ConfigRede.txt")),
              QByteArray("!Gera\xe7\xe3o Autom\xe1tica \r\nAno Letivo;Caminho\r\n2026;") + data +
                  "\r\n");
    EXPECT_EQ(dir.read(QStringLiteral("Usuarios.Config.txt")),
              data + QByteArray("\r\n!Gera\xe7\xe3o Autom\xe1tica \r\n"));

    EXPECT_EQ(dirs.program, dir.path());
    EXPECT_EQ(dirs.backup, dir.path() + QStringLiteral("/BACKUP"));
    EXPECT_EQ(dirs.help, dir.path() + QStringLiteral("/AJUDA"));
    EXPECT_EQ(dirs.users, dir.path() + QStringLiteral("/Data"));

    // The log-on choice list then holds this year only, in the program's own Data folder.
    const QList<app::SchoolYear> rows = app::readSchoolYears(app::configRedePath(dir.path()));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].year, 2026);
    EXPECT_EQ(rows[0].path, dir.path() + QStringLiteral("/Data"));
}

TEST(StartupFiles, LeavesExistingFilesAloneAndReadsTheFirstUsersLine)
{
    TempDir dir;
    const QByteArray config("2019;X:\\OLD\r\n");
    dir.write(QStringLiteral("ConfigRede.txt"), config);
    dir.write(QStringLiteral("Usuarios.Config.txt"), "F:\\USERS\r\nG:\\SECOND\r\nH:\\THIRD\r\n");

    const core::ProgramDirs dirs = app::runStartupFileSteps(dir.path(), kToday);
    EXPECT_EQ(dirs.users, QStringLiteral("F:\\USERS"));
    EXPECT_EQ(dir.read(QStringLiteral("ConfigRede.txt")), config);
}

TEST(StartupFiles, AnEmptyUsersFileGivesAnEmptyUsersDirectory)
{
    TempDir dir;
    dir.write(QStringLiteral("Usuarios.Config.txt"), QByteArray());
    EXPECT_EQ(app::runStartupFileSteps(dir.path(), kToday).users, QString());
}

TEST(StartupFiles, AFolderThatCannotBeWrittenStopsTheStartUp)
{
    TempDir dir;
    const QString missing = dir.file(QStringLiteral("no/such/folder"));
    try {
        app::runStartupFileSteps(missing, kToday);
        FAIL() << "start-up went on without its configuration file";
    } catch (const app::StartupError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("ConfigRede.txt")));
    }
}

TEST(ProgramDirectory, IsUpperCasedOnlyWhereTheFileSystemIgnoresCase)
{
    EXPECT_EQ(app::programDirectoryFrom(QStringLiteral("C:/Escola"), true),
              QStringLiteral("C:/ESCOLA"));
    EXPECT_EQ(app::programDirectoryFrom(QStringLiteral("/home/escola/lumesco"), false),
              QStringLiteral("/home/escola/lumesco"));
}

#ifndef Q_OS_WIN
TEST(ProgramDirectory, ACaseSensitiveFolderIsRecognised)
{
    TempDir dir; // lower-case letters in its name; its upper-case twin does not exist
    EXPECT_FALSE(app::fileSystemIgnoresCase(dir.path()));
}
#endif

TEST(Startup, RunsFromTheWorkingDirectoryAndSetsTheConventions)
{
    TempDir dir;
    WorkingDir inside(dir.path());
    core::session().userName = QStringLiteral("LEFTOVER");
    core::session().supervisor = true;
    app::setFirstShowPending(false);

    app::runStartup();

    // The working folder is used as it is: its files land there, not in an upper-cased twin.
    const QString programDir = core::programDirs().program;
    EXPECT_EQ(QDir(programDir).canonicalPath(), QDir(dir.path()).canonicalPath());
    EXPECT_TRUE(QFileInfo::exists(app::configRedePath(programDir)));
    EXPECT_TRUE(QFileInfo::exists(dir.file(QStringLiteral("Usuarios.Config.txt"))));

    EXPECT_TRUE(app::firstShowPending());
    EXPECT_FALSE(core::session().isOpen());
    EXPECT_FALSE(core::session().supervisor);

    bool ok = false;
    EXPECT_DOUBLE_EQ(QLocale().toDouble(QStringLiteral("1.234,56"), &ok), 1234.56);
    EXPECT_TRUE(ok);
    EXPECT_EQ(QLocale().toString(QDate(2026, 3, 5), QLocale::ShortFormat),
              QStringLiteral("05/03/2026"));
    EXPECT_EQ(core::parseNumber(QStringLiteral("1.234,56")), 1234.56);
    EXPECT_EQ(core::formatDate(QDate(2026, 3, 5)), QStringLiteral("05/03/2026"));
}
