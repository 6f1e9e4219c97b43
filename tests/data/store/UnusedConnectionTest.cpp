#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Database.h"
#include "data/store/UnusedConnection.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace data;

// A school-year file written aside (the copy of a server year for an archive) is closed on its
// own, without closing the session's year, and only once nothing uses it.
TEST(UnusedConnection, ClosesOneFolderOnlyWhenNothingUsesIt)
{
    TempDir dir;
    const QString aside = dir.file("copia");
    const QString session = dir.file("Dados2026");
    const Database year = createSchoolYear(session, QStringLiteral("2026"));
    {
        const Database copy = createSchoolYear(aside, QStringLiteral("2026"));
        EXPECT_FALSE(closeUnusedConnection(aside)) << "a handle still uses it";
        EXPECT_TRUE(copy.hasTable(QStringLiteral("Alunos.DB")));
    }
    EXPECT_TRUE(closeUnusedConnection(aside));
    EXPECT_TRUE(closeUnusedConnection(aside)) << "nothing open, nothing to close";
    EXPECT_TRUE(year.hasTable(QStringLiteral("Alunos.DB"))) << "the session's year stays open";
    // Opened again, it reads the file as it was left.
    EXPECT_TRUE(Database::open(aside).hasTable(QStringLiteral("Alunos.DB")));
    Database::closeAll();
}
