#include "GradeFixture.h"

#include "data/bulk/BulkRun.h"
#include "grades/YearRecalc.h"
#include "support/RecordingReporter.h"

class YearRecalcTest : public GradeFixture
{
protected:
    void SetUp() override
    {
        GradeFixture::SetUp();
        addDependents(1, QStringLiteral("ANA"), QStringLiteral("1G1A"), 1, {QStringLiteral("01")});
        addDependents(2, QStringLiteral("BIA"), QStringLiteral("1G1A"), 2, {QStringLiteral("01")});
    }
    void units(int matricula, std::initializer_list<QVariant> averages)
    {
        int unit = 1;
        for (const QVariant &v : averages)
            setYear(matricula, QStringLiteral("01"), QStringLiteral("UND%1").arg(unit++), v);
    }
    double md(int matricula, const QString &column) const
    {
        return year(matricula, QStringLiteral("01"), column).toDouble();
    }
    core::RunOutcome recalc()
    {
        return grades::recalculateYear(db(), m_reporter);
    }
    RecordingReporter m_reporter;
};

TEST_F(YearRecalcTest, AveragesAsManyUnitsAsAreTypedAnywhere)
{
    data::settings().PesoUND1 = 1;
    data::settings().PesoUND2 = 2;
    data::settings().PesoUND3 = 3;
    data::settings().PesoUND4 = 4;
    // k = 1
    units(1, {8.0});
    ASSERT_EQ(recalc(), core::RunOutcome::Completed);
    EXPECT_DOUBLE_EQ(md(1, QStringLiteral("MD_ANUAL")), 8.0);
    // k = 2: unit 2 typed for another student only
    units(2, {6.0, 9.0});
    recalc();
    EXPECT_DOUBLE_EQ(md(2, QStringLiteral("MD_ANUAL")), 8.0); // (6 + 18) / 3
    EXPECT_TRUE(year(1, QStringLiteral("01"), QStringLiteral("MD_ANUAL")).isNull()); // a missing unit is no zero
    EXPECT_TRUE(year(1, QStringLiteral("01"), QStringLiteral("RESULTADO")).isNull());
    // k = 3
    units(1, {8.0, 8.0, 2.0});
    units(2, {6.0, 9.0, 6.0});
    recalc();
    EXPECT_DOUBLE_EQ(md(1, QStringLiteral("MD_ANUAL")), 5.0);   // (8 + 16 + 6) / 6
    EXPECT_DOUBLE_EQ(md(2, QStringLiteral("MD_ANUAL")), 7.0);   // (6 + 18 + 18) / 6
    // k = 4
    units(1, {8.0, 8.0, 2.0, 7.0});
    units(2, {6.0, 9.0, 6.0, 9.0});
    recalc();
    EXPECT_DOUBLE_EQ(md(1, QStringLiteral("MD_ANUAL")), 5.8);   // 58 / 10
    EXPECT_DOUBLE_EQ(md(2, QStringLiteral("MD_ANUAL")), 7.8);   // 78 / 10
}

TEST_F(YearRecalcTest, UnitsTypedOnlyInTheUnitTablesDoNotCount)
{
    units(1, {6.0, 8.0});
    units(2, {7.0, 7.0});
    setUnit(3, 2, QStringLiteral("01"), QStringLiteral("NOTA1"), 1.0); // typed, never saved
    recalc();
    EXPECT_DOUBLE_EQ(md(1, QStringLiteral("MD_ANUAL")), 7.0);
    EXPECT_DOUBLE_EQ(md(2, QStringLiteral("MD_ANUAL")), 7.0);
}

TEST_F(YearRecalcTest, FinalExamBelowThePassMarkAndRecoveryBelowTheYearMark)
{
    data::settings().Peso_1 = 2;
    data::settings().Peso_2 = 1;
    units(1, {5.0, 4.0});
    setYear(1, QStringLiteral("01"), QStringLiteral("PFINAL"), 3.0);
    setYear(1, QStringLiteral("01"), QStringLiteral("RECUP"), 9.0);
    units(2, {6.96, 6.96});
    recalc();
    EXPECT_DOUBLE_EQ(md(1, QStringLiteral("MD_ANUAL")), 4.5);
    EXPECT_DOUBLE_EQ(md(1, QStringLiteral("MD_FINAL")), 4.0);   // (4.5·2 + 3) / 3
    EXPECT_DOUBLE_EQ(md(1, QStringLiteral("MD_RECUP")), 17.0 / 3); // (4·2 + 9) / 3
    EXPECT_EQ(year(1, QStringLiteral("01"), QStringLiteral("RESULTADO")).toString(), QStringLiteral("REPROVADO"));
    // 6.96 + 0.05 reaches 7: no final exam, and the empty marks become 0.
    EXPECT_DOUBLE_EQ(md(2, QStringLiteral("MD_FINAL")), 6.96);
    EXPECT_DOUBLE_EQ(md(2, QStringLiteral("MD_RECUP")), 6.96);
    EXPECT_DOUBLE_EQ(md(2, QStringLiteral("PFINAL")), 0.0);
    EXPECT_FALSE(year(2, QStringLiteral("01"), QStringLiteral("RECUP")).isNull());
    EXPECT_EQ(year(2, QStringLiteral("01"), QStringLiteral("RESULTADO")).toString(), QStringLiteral("APROVADO"));
}

TEST_F(YearRecalcTest, PassMarkHasAHalfTenthOfTolerance)
{
    units(1, {5.96});
    units(2, {5.94});
    data::settings().Uni_Media = 5;
    data::settings().computeDerived();
    recalc();
    EXPECT_EQ(year(1, QStringLiteral("01"), QStringLiteral("RESULTADO")).toString(), QStringLiteral("APROVADO"));
    EXPECT_EQ(year(2, QStringLiteral("01"), QStringLiteral("RESULTADO")).toString(), QStringLiteral("REPROVADO"));
}

TEST_F(YearRecalcTest, WithAllFourUnitsRecoveryNoLongerCounts)
{
    units(1, {4.0, 4.0, 4.0, 4.0});
    setYear(1, QStringLiteral("01"), QStringLiteral("RECUP"), 10.0);
    recalc();
    EXPECT_DOUBLE_EQ(md(1, QStringLiteral("MD_FINAL")), 2.0);
    EXPECT_DOUBLE_EQ(md(1, QStringLiteral("MD_RECUP")), 2.0);
}

TEST_F(YearRecalcTest, AbsencesAddUpOverTheAveragedUnits)
{
    units(1, {7.0, 7.0});
    setYear(1, QStringLiteral("01"), QStringLiteral("FLT1"), 2);
    setYear(1, QStringLiteral("01"), QStringLiteral("FLT2"), 3);
    setYear(1, QStringLiteral("01"), QStringLiteral("FLT3"), 9); // unit 3 is not averaged yet
    setYear(2, QStringLiteral("01"), QStringLiteral("FLT2"), 4);  // a blank count is no absence
    recalc();
    EXPECT_EQ(year(1, QStringLiteral("01"), QStringLiteral("FALTAS")).toInt(), 5);
    EXPECT_EQ(year(2, QStringLiteral("01"), QStringLiteral("FALTAS")).toInt(), 4);
}

TEST_F(YearRecalcTest, SchoolRoundingOfTheYearAverages)
{
    data::settings().Arredondamento = 1;
    units(1, {6.0, 6.4});   // 6.2 -> 6.5, passes
    units(2, {5.0, 5.4});   // 5.2 -> 5.5; with a final exam of 5: 5.25 -> 5.5
    setYear(2, QStringLiteral("01"), QStringLiteral("PFINAL"), 5.0);
    recalc();
    EXPECT_DOUBLE_EQ(md(1, QStringLiteral("MD_ANUAL")), 6.5);
    EXPECT_DOUBLE_EQ(md(2, QStringLiteral("MD_ANUAL")), 5.5);
    EXPECT_DOUBLE_EQ(md(2, QStringLiteral("MD_FINAL")), 5.5);
    EXPECT_EQ(year(2, QStringLiteral("01"), QStringLiteral("RESULTADO")).toString(), QStringLiteral("REPROVADO"));
}

TEST_F(YearRecalcTest, RerunStartsFromScratch)
{
    units(1, {9.0});
    recalc();
    setYear(1, QStringLiteral("01"), QStringLiteral("UND1"), QVariant());
    units(2, {8.0});
    recalc();
    EXPECT_TRUE(year(1, QStringLiteral("01"), QStringLiteral("MD_ANUAL")).isNull());
    EXPECT_TRUE(year(1, QStringLiteral("01"), QStringLiteral("RESULTADO")).isNull());
    EXPECT_TRUE(m_reporter.noteTexts().isEmpty());
}
