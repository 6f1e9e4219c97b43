#include "app/ConfigFiles.h"

#include "support/TempDir.h"

#include "support/QStringPrinting.h"

#include <gtest/gtest.h>

using app::SchoolYear;

namespace {

void expectRow(const SchoolYear &row, int year, const QString &path)
{
    EXPECT_EQ(row.year, year);
    EXPECT_EQ(row.path, path);
}

} // namespace

TEST(SchoolYears, TakesYearAndTrimmedPathFromTheSixthCharacter)
{
    const QList<SchoolYear> rows = app::parseSchoolYears({
        QStringLiteral("2025;  D:\\DADOS\\2025  "),
        QStringLiteral("2025-D:\\X"), // the separator is not examined
    });
    ASSERT_EQ(rows.size(), 2);
    expectRow(rows[0], 2025, QStringLiteral("D:\\DADOS\\2025"));
    expectRow(rows[1], 2025, QStringLiteral("D:\\X"));
}

TEST(SchoolYears, SkipsTitlesCommentsAndShortLines)
{
    const QList<SchoolYear> rows = app::parseSchoolYears({
        QStringLiteral("!Geração Automática "), QStringLiteral("Ano Letivo;Caminho"), QString(),
        QStringLiteral("12"), QStringLiteral("20x5;C:\\X"), QStringLiteral("2024;C:\\ESCOLA\\2024"),
        QStringLiteral("2026"), // a year without a path is still a row
    });
    ASSERT_EQ(rows.size(), 2);
    expectRow(rows[0], 2024, QStringLiteral("C:\\ESCOLA\\2024"));
    expectRow(rows[1], 2026, QString());
}

TEST(SchoolYears, KeepsFileOrderAndRepeatedYearsWithTheLastAsDefault)
{
    const QList<SchoolYear> rows = app::parseSchoolYears({
        QStringLiteral("2026;/srv/a"),
        QStringLiteral("2025;/srv/b"),
        QStringLiteral("2026;/srv/c"),
    });
    ASSERT_EQ(rows.size(), 3);
    expectRow(rows[0], 2026, QStringLiteral("/srv/a"));
    expectRow(rows[1], 2025, QStringLiteral("/srv/b"));
    expectRow(rows.last(), 2026, QStringLiteral("/srv/c"));
}

TEST(SchoolYears, ReadsWindows1252FilesAndToleratesAByteOrderMark)
{
    TempDir dir;
    const QString ansi = dir.write(QStringLiteral("ansi.txt"),
                                   QByteArray("Ano Letivo;Caminho\r\n2025;C:\\Jos\xe9\r\n"));
    const QString utf8 =
        dir.write(QStringLiteral("utf8.txt"), QByteArray("\xEF\xBB\xBF"
                                                         "2025;C:\\Jos\xc3\xa9\n"));
    for (const QString &file : {ansi, utf8}) {
        const QList<SchoolYear> rows = app::readSchoolYears(file);
        ASSERT_EQ(rows.size(), 1) << file.toStdString();
        expectRow(rows[0], 2025, QStringLiteral("C:\\José"));
    }
    EXPECT_TRUE(app::readSchoolYears(dir.file(QStringLiteral("missing.txt"))).isEmpty());
}

TEST(UsersDirectory, OnlyTheFirstLineCounts)
{
    EXPECT_EQ(app::usersDirectoryFrom({QStringLiteral("F:\\USERS"), QStringLiteral("G:\\OTHER"),
                                       QStringLiteral("!Geração Automática ")}),
              QStringLiteral("F:\\USERS"));
    EXPECT_EQ(app::usersDirectoryFrom({}), QString());
}
