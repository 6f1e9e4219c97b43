#include "GradeFixture.h"

#include "grades/ConsolidatedSubjects.h"
#include "support/RecordingReporter.h"

// "Ciências" (30) is made of 31 and 32, weighted 1 and 3; 40 has nothing to do with it.
class ConsolidatedSubjectsTest : public GradeFixture
{
protected:
    void SetUp() override
    {
        GradeFixture::SetUp();
        const QList<std::tuple<QString, bool, int>> subjects{
            {QStringLiteral("30"), true, 0}, {QStringLiteral("31"), false, 1},
            {QStringLiteral("32"), false, 3}, {QStringLiteral("40"), false, 5}};
        for (const auto &[code, consolidated, weight] : subjects)
            exec(QStringLiteral("insert into Discturm (SERIE, CODIGO, Consolidada, PESO) values ('1G1', :c, :k, :p)"),
                 {{QStringLiteral("c"), code}, {QStringLiteral("k"), consolidated}, {QStringLiteral("p"), weight}});
        addDependents(1, QStringLiteral("ANA"), QStringLiteral("1G1A"), 1,
                      {QStringLiteral("30"), QStringLiteral("31"), QStringLiteral("32"), QStringLiteral("40")});
        addDependents(2, QStringLiteral("BIA"), QStringLiteral("1G1B"), 1,
                      {QStringLiteral("30"), QStringLiteral("31"), QStringLiteral("32")});
        for (int unit = 1; unit <= 4; ++unit) {
            setYear(1, QStringLiteral("31"), QStringLiteral("UND%1").arg(unit), 4.0);
            setYear(1, QStringLiteral("32"), QStringLiteral("UND%1").arg(unit), 8.0);
            setYear(1, QStringLiteral("40"), QStringLiteral("UND%1").arg(unit), 1.0);
        }
        setYear(1, QStringLiteral("31"), QStringLiteral("PFINAL"), 2.0);
        setYear(1, QStringLiteral("32"), QStringLiteral("PFINAL"), 6.0);
        setYear(2, QStringLiteral("31"), QStringLiteral("UND1"), 10.0);
        // 32 left empty for BIA: it counts as 0 with its weight.
        setYear(1, QStringLiteral("30"), QStringLiteral("UND4"), 9.9); // stale, cleared
    }
    RecordingReporter m_reporter;
};

TEST_F(ConsolidatedSubjectsTest, WeightedAverageOfTheSubjectsSharingTheFirstDigit)
{
    ASSERT_EQ(grades::recalculateConsolidated(db(), {true, true, false, false}, m_reporter), core::RunOutcome::Completed);
    EXPECT_DOUBLE_EQ(year(1, QStringLiteral("30"), QStringLiteral("UND1")).toDouble(), 7.0); // (4 + 24) / 4
    EXPECT_DOUBLE_EQ(year(1, QStringLiteral("30"), QStringLiteral("UND2")).toDouble(), 7.0);
    EXPECT_TRUE(year(1, QStringLiteral("30"), QStringLiteral("UND3")).isNull());
    EXPECT_TRUE(year(1, QStringLiteral("30"), QStringLiteral("UND4")).isNull());
    EXPECT_TRUE(year(1, QStringLiteral("30"), QStringLiteral("PFINAL")).isNull()
                || year(1, QStringLiteral("30"), QStringLiteral("PFINAL")).toDouble() == 0.0);
    EXPECT_DOUBLE_EQ(year(2, QStringLiteral("30"), QStringLiteral("UND1")).toDouble(), 2.5); // 10 / 4
    // Other subjects keep their marks, and the year recalculation ran.
    EXPECT_DOUBLE_EQ(year(1, QStringLiteral("40"), QStringLiteral("UND1")).toDouble(), 1.0);
    EXPECT_DOUBLE_EQ(year(1, QStringLiteral("40"), QStringLiteral("MD_ANUAL")).toDouble(), 1.0);
    EXPECT_EQ(year(1, QStringLiteral("40"), QStringLiteral("RESULTADO")).toString(), QStringLiteral("REPROVADO"));
    // All four units are typed in other subjects, so the half-filled one has no year average yet.
    EXPECT_TRUE(year(1, QStringLiteral("30"), QStringLiteral("MD_ANUAL")).isNull());
}

TEST_F(ConsolidatedSubjectsTest, TheLastTypedUnitDecidesAndTheFourthBringsTheFinalExam)
{
    grades::recalculateConsolidated(db(), {false, false, false, true}, m_reporter);
    for (int unit = 1; unit <= 4; ++unit)
        EXPECT_DOUBLE_EQ(year(1, QStringLiteral("30"), QStringLiteral("UND%1").arg(unit)).toDouble(), 7.0) << unit;
    EXPECT_DOUBLE_EQ(year(1, QStringLiteral("30"), QStringLiteral("PFINAL")).toDouble(), 5.0); // (2 + 18) / 4

    grades::recalculateConsolidated(db(), {false, false, false, false}, m_reporter);
    EXPECT_TRUE(year(1, QStringLiteral("30"), QStringLiteral("UND1")).isNull());
}

TEST_F(ConsolidatedSubjectsTest, SchoolRoundingAppliesToTheConsolidatedAverage)
{
    data::settings().Arredondamento = 1;
    setYear(1, QStringLiteral("31"), QStringLiteral("UND1"), 5.0); // (5 + 24) / 4 = 7.25
    grades::recalculateConsolidated(db(), {true, false, false, false}, m_reporter);
    EXPECT_DOUBLE_EQ(year(1, QStringLiteral("30"), QStringLiteral("UND1")).toDouble(), 7.5);
}
