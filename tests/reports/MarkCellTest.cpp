#include "reports/MarkCell.h"

#include <gtest/gtest.h>

using namespace reports;

namespace {

MarkCell cell(std::optional<double> value, MarkColumn column, const QString &type = "N",
              std::optional<double> finalExam = 7, std::optional<double> recovery = 7)
{
    MarkCellInput input;
    input.value = value;
    input.column = column;
    input.subjectType = type;
    input.passMarks = {7, 6};
    input.finalExam = finalExam;
    input.recovery = recovery;
    return markCell(input);
}

} // namespace

TEST(MarkCell, PassingMarksAreBoldAndFailingOnesRedItalicBetweenAsterisks)
{
    const MarkCell pass = cell(8.25, MarkColumn::Unit);
    EXPECT_EQ(pass.text, QStringLiteral("8,3"));
    EXPECT_TRUE(pass.bold);
    EXPECT_FALSE(pass.italic);
    EXPECT_EQ(pass.color, QColor(Qt::black));
    EXPECT_FALSE(pass.setsUnitFlag);

    const MarkCell fail = cell(5, MarkColumn::Unit);
    EXPECT_EQ(fail.text, QStringLiteral("* 5,0 *"));
    EXPECT_FALSE(fail.bold);
    EXPECT_TRUE(fail.italic);
    EXPECT_EQ(fail.color, QColor(Qt::red));
    EXPECT_TRUE(fail.setsUnitFlag);
    EXPECT_FALSE(fail.countsFailed);

    // Compared as printed: 6,96 shows as 7,0 and reaches the pass mark of 7.
    EXPECT_EQ(cell(6.96, MarkColumn::Unit).text, QStringLiteral("7,0"));
    EXPECT_TRUE(cell(6.96, MarkColumn::Unit).bold);
    // The final average is measured against Ger_Media.
    EXPECT_EQ(cell(6.5, MarkColumn::FinalAverage).text, QStringLiteral("6,5"));
    EXPECT_EQ(cell(6.5, MarkColumn::AnnualAverage).text, QStringLiteral("* 6,5 *"));
}

TEST(MarkCell, CodesPrintAsLettersInNormalBoldAndAnEmptyMarkPrintsNothing)
{
    for (const QString &type : {QStringLiteral("N"), QStringLiteral("C")}) {
        const MarkCell exempt = cell(90, MarkColumn::Unit, type);
        EXPECT_EQ(exempt.text, QStringLiteral("D"));
        EXPECT_TRUE(exempt.bold);
        EXPECT_EQ(exempt.color, QColor(Qt::black));
        const MarkCell absent = cell(12, MarkColumn::FinalAverage, type);
        EXPECT_EQ(absent.text, QStringLiteral("F"));
        EXPECT_TRUE(absent.bold);
        EXPECT_FALSE(absent.countsFailed);
    }
    const MarkCell empty = cell(std::nullopt, MarkColumn::Unit);
    EXPECT_EQ(empty.text, QString());
    EXPECT_FALSE(empty.bold);
    EXPECT_FALSE(empty.italic);
    EXPECT_FALSE(empty.setsUnitFlag);
}

TEST(MarkCell, ConceptSubjectsPrintALetterAgainstTheUnitPassMark)
{
    EXPECT_EQ(cell(9.5, MarkColumn::Unit, "C").text, QStringLiteral("A"));
    EXPECT_EQ(cell(7, MarkColumn::Unit, "C").text, QStringLiteral("B"));
    const MarkCell low = cell(6.9, MarkColumn::Unit, "C");
    EXPECT_EQ(low.text, QStringLiteral("C"));
    EXPECT_TRUE(low.italic);
    EXPECT_EQ(low.color, QColor(Qt::red));
    // In the final-average column 6,9 passes Ger_Media (bold) yet is still a "C", and a concept
    // subject never counts as failed.
    const MarkCell average = cell(6.9, MarkColumn::FinalAverage, "C");
    EXPECT_EQ(average.text, QStringLiteral("C"));
    EXPECT_TRUE(average.bold);
    const MarkCell failed = cell(4, MarkColumn::FinalAverage, "C", 0);
    EXPECT_FALSE(failed.countsFailed);
}

TEST(MarkCell, ColumnExtras)
{
    // A unit mark of 0 prints "0,0", still red italic, and marks the unit.
    const MarkCell zero = cell(0, MarkColumn::Unit);
    EXPECT_EQ(zero.text, QStringLiteral("0,0"));
    EXPECT_TRUE(zero.italic);
    EXPECT_EQ(zero.color, QColor(Qt::red));
    EXPECT_TRUE(zero.setsUnitFlag);
    // The final exam prints "--" for 0.
    EXPECT_EQ(cell(0, MarkColumn::FinalExam).text, QStringLiteral("--"));
    EXPECT_EQ(cell(0, MarkColumn::Plain).text, QStringLiteral("* 0,0 *"));
    // A failing final average prints "--" while there is no final exam, and still counts.
    const MarkCell noExam = cell(5, MarkColumn::FinalAverage, "N", 0);
    EXPECT_EQ(noExam.text, QStringLiteral("--"));
    EXPECT_TRUE(noExam.countsFailed);
    EXPECT_EQ(cell(5, MarkColumn::FinalAverage, "N", std::nullopt).text, QStringLiteral("--"));
    const MarkCell withExam = cell(5, MarkColumn::FinalAverage, "N", 4);
    EXPECT_EQ(withExam.text, QStringLiteral("* 5,0 *"));
    EXPECT_TRUE(withExam.countsFailed);
    EXPECT_FALSE(cell(6, MarkColumn::FinalAverage, "N", 0).countsFailed);
    // The same for the average after recovery, keyed on the recovery mark.
    const MarkCell noRecovery = cell(5.5, MarkColumn::RecoveryAverage, "N", 7, 0);
    EXPECT_EQ(noRecovery.text, QStringLiteral("--"));
    EXPECT_TRUE(noRecovery.countsFailed);
    EXPECT_EQ(cell(5.5, MarkColumn::RecoveryAverage, "N", 7, 5).text, QStringLiteral("* 5,5 *"));
    // Unit marks and the other columns never count failed subjects.
    EXPECT_FALSE(cell(3, MarkColumn::AnnualAverage).countsFailed);
    EXPECT_FALSE(cell(3, MarkColumn::Recovery).countsFailed);
}
