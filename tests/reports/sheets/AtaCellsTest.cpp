#include "reports/sheets/AtaCells.h"

#include "support/QStringPrinting.h"

#include <gtest/gtest.h>

using namespace reports;

namespace {

const AtaMarks kMarks{7, 6, 2};

TEST(AtaCells, PrintedCellsShowCodesConceptsAndDashes)
{
    EXPECT_EQ(printedCell(9.5, QStringLiteral("C"), 6, kMarks).text, QStringLiteral("A"));
    EXPECT_EQ(printedCell(95, QStringLiteral("C"), 6, kMarks).text, QStringLiteral("A"));
    EXPECT_EQ(printedCell(95, QStringLiteral("N"), 6, kMarks).text, QStringLiteral("95,0"));
    EXPECT_EQ(printedCell(7, QStringLiteral("C"), 6, kMarks).text, QStringLiteral("B"));
    EXPECT_EQ(printedCell(6.5, QStringLiteral("C"), 6, kMarks).text, QStringLiteral("C"));
    EXPECT_EQ(printedCell(90, QStringLiteral("N"), 6, kMarks).text, QStringLiteral("D"));
    EXPECT_EQ(printedCell(12, QStringLiteral("N"), 6, kMarks).text, QStringLiteral("F"));
    EXPECT_EQ(printedCell(0, QStringLiteral("N"), 6, kMarks).text, QStringLiteral("--"));
    EXPECT_EQ(printedCell(0, QStringLiteral("C"), 6, kMarks).text, QStringLiteral("--"));
    // Compared with one decimal: 5,96 is 6,0 and passes.
    EXPECT_EQ(printedCell(5.96, QStringLiteral("N"), 6, kMarks).text, QStringLiteral("6,0"));
    EXPECT_FALSE(printedCell(5.96, QStringLiteral("N"), 6, kMarks).red);
}

TEST(AtaCells, OnlyAFailingOrdinarySubjectCountsButEveryFailingMarkIsRed)
{
    const AtaCell ordinary = printedCell(4.5, QStringLiteral("N"), 6, kMarks);
    EXPECT_TRUE(ordinary.red);
    EXPECT_TRUE(ordinary.failed);
    EXPECT_EQ(ordinary.text, QStringLiteral("4,5"));
    const AtaCell conceptCell = printedCell(4.5, QStringLiteral("C"), 6, kMarks);
    EXPECT_TRUE(conceptCell.red);
    EXPECT_FALSE(conceptCell.failed);
    EXPECT_EQ(conceptCell.text, QStringLiteral("C"));
    EXPECT_FALSE(printedCell(0, QStringLiteral("N"), 6, kMarks).failed);
}

TEST(AtaCells, ExportedCellsKeepTheNumberExceptForFailingConcepts)
{
    const AtaCell zero = exportedCell(0, QStringLiteral("N"), kMarks);
    EXPECT_EQ(zero.text, QStringLiteral("0,0"));
    EXPECT_FALSE(zero.failed);
    EXPECT_EQ(exportedCell(5, QStringLiteral("C"), kMarks).text, QStringLiteral("C"));
    EXPECT_EQ(exportedCell(9.5, QStringLiteral("C"), kMarks).text, QStringLiteral("9,5"));
    EXPECT_EQ(exportedCell(90, QStringLiteral("N"), kMarks).text, QStringLiteral("90,0"));
    const AtaCell failing = exportedCell(5.25, QStringLiteral("N"), kMarks);
    EXPECT_EQ(failing.text, QStringLiteral("5,3"));
    EXPECT_TRUE(failing.failed);
}

TEST(AtaCells, ResultByFailedSubjectsAndDependencyLimit)
{
    const AtaResultTexts texts;
    EXPECT_EQ(resultText(0, 2, texts), QStringLiteral("APROVADO"));
    EXPECT_EQ(resultText(2, 2, texts), QStringLiteral("PROG. PARCIAL"));
    EXPECT_EQ(resultText(3, 2, texts), QStringLiteral("REPROVADO"));
    EXPECT_EQ(resultText(1, 0, texts), QStringLiteral("REPROVADO"));
    EXPECT_EQ(leaverResult(QStringLiteral("T"), QDate(2026, 5, 10)), QStringLiteral("TRANSF - 10/05/2026"));
    EXPECT_EQ(leaverResult(QStringLiteral("D"), QDate(2026, 5, 10)), QStringLiteral("DESISTENTE - 10/05/2026"));
    EXPECT_TRUE(leaverResult(QString(), QDate(2026, 5, 10)).isEmpty());
}

} // namespace
