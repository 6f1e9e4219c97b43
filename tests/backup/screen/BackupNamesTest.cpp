#include "backup/BackupNames.h"
#include "backup/ChosenFiles.h"

#include "support/QStringPrinting.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace backup;

TEST(BackupNames, DefaultArchiveNameLogAndZipExtension)
{
    EXPECT_EQ(defaultArchiveName(QDate(2026, 1, 9), "2025", "JOAO"), "20260109_2025_JOAO.Zip");
    EXPECT_EQ(defaultArchiveName(QDate(2026, 3, 5), "2026", "MARIA"), "20260305_2026_MARIA.Zip");

    EXPECT_EQ(withZipExtension("/b/semana"), "/b/semana.zip");
    EXPECT_EQ(withZipExtension("/b/semana.ZIP"), "/b/semana.ZIP");
    EXPECT_EQ(withZipExtension("/b/sem.Zip.antigo"), "/b/sem.Zip.antigo") << "anywhere, any case";
    EXPECT_EQ(withZipExtension("/b/zipado"), "/b/zipado.zip") << "\"zip\" without the point";

    EXPECT_EQ(logPathFor("/b/20260109_2025_JOAO.Zip"), "/b/20260109_2025_JOAO.log");
    EXPECT_EQ(logPathFor("/b/semana.zip"), "/b/semana.log");
}

TEST(ChosenFiles, EachFileOnceRemovedByRowAndSortedOnlyOnce)
{
    ChosenFiles chosen;
    chosen.add({"/d/b.db", "/d/a.db"});
    chosen.add({"/d/a.db", "/d/c.ini"});
    EXPECT_EQ(chosen.files(), QStringList({"/d/b.db", "/d/a.db", "/d/c.ini"}));
    chosen.remove({2, 0, 2});
    EXPECT_EQ(chosen.files(), QStringList({"/d/a.db"}));
    chosen.add({"/d/Z.txt", "/d/b.db"});
    ASSERT_TRUE(chosen.canSort());
    chosen.sortOnce();
    EXPECT_EQ(chosen.files(), QStringList({"/d/a.db", "/d/b.db", "/d/Z.txt"}));
    EXPECT_FALSE(chosen.canSort());
    chosen.add({"/d/0.txt"});
    chosen.sortOnce();
    EXPECT_EQ(chosen.files().last(), "/d/0.txt");

    TempDir dir;
    dir.write("b.DB", "");
    dir.write("A.ini", "");
    dir.write(".oculto", "");
    QDir(dir.path()).mkdir("FOTOS");
    EXPECT_EQ(directoryFiles(dir.path()), QStringList({dir.file("A.ini"), dir.file("b.DB")}));
}
