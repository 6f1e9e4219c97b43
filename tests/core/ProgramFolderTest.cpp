#include "core/ProgramFolder.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace core;

TEST(ProgramFolder, InstalledOnlyBesideAPackagesDefaults)
{
    TempDir root;
    QDir(root.path()).mkpath(QStringLiteral("usr/bin"));
    EXPECT_TRUE(installedDefaultsDirectory(root.file(QStringLiteral("usr/bin"))).isEmpty());
    QDir(root.path()).mkpath(QStringLiteral("usr/share/lumesco/defaults"));
    EXPECT_EQ(installedDefaultsDirectory(root.file(QStringLiteral("usr/bin"))),
              root.file(QStringLiteral("usr/share/lumesco/defaults")));
    // A build tree's program folder is never taken for an installation.
    QDir(root.path()).mkpath(QStringLiteral("build/src/app"));
    EXPECT_TRUE(installedDefaultsDirectory(root.file(QStringLiteral("build/src/app"))).isEmpty());
}

TEST(ProgramFolder, CommandLineThenEnvironmentThenUserFolderThenWorkingDirectory)
{
    const QString work = QStringLiteral("/escola/trabalho");
    EXPECT_EQ(chooseProgramDirectory(QStringLiteral("compartilhada"), QStringLiteral("/srv/lumesco"), true, work),
              QStringLiteral("/escola/trabalho/compartilhada"));
    EXPECT_EQ(chooseProgramDirectory({}, QStringLiteral("/srv/lumesco/"), true, work),
              QStringLiteral("/srv/lumesco"));
    EXPECT_EQ(chooseProgramDirectory({}, {}, true, work), userProgramFolder());
    EXPECT_EQ(chooseProgramDirectory({}, {}, false, work), work);

    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/home/secretaria/dados");
    EXPECT_EQ(userProgramFolder(), QStringLiteral("/home/secretaria/dados/Lumesco"));
    qputenv("XDG_DATA_HOME", "relativa"); // not absolute: ignored, as the XDG rules say
    EXPECT_EQ(userProgramFolder(), QDir::home().filePath(QStringLiteral(".local/share/Lumesco")));
    qputenv("XDG_DATA_HOME", saved);
}

TEST(ProgramFolder, DefaultsFillTheFolderAndAnUpdateSparesWhatTheSchoolEdited)
{
    TempDir defaults;
    TempDir program;
    defaults.write(QStringLiteral("AJUDA/default.htm"), "ajuda 1");
    defaults.write(QStringLiteral("AJUDA/notas01.htm"), "notas 1");
    defaults.write(QStringLiteral("Contrato.rtf"), "{\\rtf1 modelo 1}");
    program.write(QStringLiteral("leiame.txt"), "da escola");

    DefaultsRefresh first = refreshDefaults(defaults.path(), program.path());
    EXPECT_TRUE(first.error.isEmpty());
    EXPECT_EQ(first.copied, (QStringList{QStringLiteral("AJUDA/default.htm"),
                                         QStringLiteral("AJUDA/notas01.htm"),
                                         QStringLiteral("Contrato.rtf")}));
    EXPECT_EQ(program.read(QStringLiteral("AJUDA/notas01.htm")), "notas 1");
    EXPECT_EQ(program.read(QStringLiteral("leiame.txt")), "da escola");

    // Nothing changed: nothing written again.
    EXPECT_TRUE(refreshDefaults(defaults.path(), program.path()).copied.isEmpty());

    // The school edits its contract model; a new version ships new pages and a new model.
    program.write(QStringLiteral("Contrato.rtf"), "{\\rtf1 modelo da escola}");
    defaults.write(QStringLiteral("AJUDA/default.htm"), "ajuda 2");
    defaults.write(QStringLiteral("Contrato.rtf"), "{\\rtf1 modelo 2}");
    defaults.write(QStringLiteral("leiame.txt"), "novo leiame");
    QFile::remove(program.file(QStringLiteral("AJUDA/notas01.htm")));

    DefaultsRefresh update = refreshDefaults(defaults.path(), program.path());
    EXPECT_TRUE(update.error.isEmpty());
    EXPECT_EQ(update.copied, (QStringList{QStringLiteral("AJUDA/default.htm"),
                                          QStringLiteral("AJUDA/notas01.htm")}));
    EXPECT_EQ(update.kept, (QStringList{QStringLiteral("Contrato.rtf"), QStringLiteral("leiame.txt")}));
    EXPECT_EQ(program.read(QStringLiteral("AJUDA/default.htm")), "ajuda 2");
    EXPECT_EQ(program.read(QStringLiteral("Contrato.rtf")), "{\\rtf1 modelo da escola}");
    EXPECT_EQ(program.read(QStringLiteral("leiame.txt")), "da escola");

    // Once the school's model equals the shipped one again, later versions may replace it.
    program.write(QStringLiteral("Contrato.rtf"), "{\\rtf1 modelo 2}");
    EXPECT_TRUE(refreshDefaults(defaults.path(), program.path()).copied.isEmpty());
    defaults.write(QStringLiteral("Contrato.rtf"), "{\\rtf1 modelo 3}");
    EXPECT_EQ(refreshDefaults(defaults.path(), program.path()).copied,
              QStringList{QStringLiteral("Contrato.rtf")});
}

TEST(ProgramFolder, AFolderThatCannotBeWrittenIsReported)
{
    TempDir defaults;
    TempDir program;
    defaults.write(QStringLiteral("AJUDA/default.htm"), "ajuda");
    program.write(QStringLiteral("AJUDA"), "um arquivo no lugar da pasta");
    const DefaultsRefresh refresh = refreshDefaults(defaults.path(), program.path());
    EXPECT_TRUE(refresh.error.contains(QStringLiteral("Não foi possível copiar AJUDA/default.htm")))
        << refresh.error.toStdString();
}
