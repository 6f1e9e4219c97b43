#include "grades/Averages.h"

#include <gtest/gtest.h>

using grades::AverageRules;
using grades::UnitMarks;
using grades::unitAverage;

namespace {

UnitMarks marks(std::initializer_list<double> typed, double bonus = 0, std::optional<double> recovery = {},
                double recoveryBonus = 0)
{
    UnitMarks m;
    std::size_t i = 0;
    for (double mark : typed)
        m.marks[i++] = mark;
    m.bonus = bonus;
    m.recovery = recovery;
    m.recoveryBonus = recoveryBonus;
    return m;
}

} // namespace

TEST(UnitAverage, CountsOnlyTypedMarks)
{
    const auto a = unitAverage(marks({7.0, 8.0}), {});
    ASSERT_TRUE(a);
    EXPECT_DOUBLE_EQ(a->average, 7.5);
    EXPECT_DOUBLE_EQ(a->afterRecovery, 7.5);

    UnitMarks gap; // a blank between typed marks is not a zero either
    gap.marks = {6.0, std::nullopt, 9.0, std::nullopt, std::nullopt};
    EXPECT_DOUBLE_EQ(unitAverage(gap, {})->average, 7.5);

    EXPECT_FALSE(unitAverage(UnitMarks{}, {}));
    EXPECT_FALSE(unitAverage(marks({}, 1.0, 8.0), {})); // points and recovery alone give nothing
}

TEST(UnitAverage, RoundsToOneDecimalThenBySchoolMode)
{
    // 6.0 and 6.5: 6.25
    EXPECT_DOUBLE_EQ(unitAverage(marks({6.0, 6.5}), {0, false})->average, 6.2);
    EXPECT_DOUBLE_EQ(unitAverage(marks({6.0, 6.5}), {1, false})->average, 6.5);
    EXPECT_DOUBLE_EQ(unitAverage(marks({6.0, 6.5}), {2, false})->average, 6.0);
    // 20 / 3 = 6.666..: cut to 6.66, then 6.7
    EXPECT_DOUBLE_EQ(unitAverage(marks({6.0, 7.0, 7.0}), {})->average, 6.7);
}

TEST(UnitAverage, BonusPointsAreCappedAtTenButNotAddedToCodes)
{
    EXPECT_DOUBLE_EQ(unitAverage(marks({9.8}, 0.5), {})->average, 10.0);
    EXPECT_DOUBLE_EQ(unitAverage(marks({6.0}, 0.5), {})->average, 6.5);
    // An absence code (above 10) keeps its value: no points, no cap.
    EXPECT_DOUBLE_EQ(unitAverage(marks({15.0}, 0.5), {})->average, 15.0);
    EXPECT_DOUBLE_EQ(unitAverage(marks({90.0}), {})->average, 90.0);
}

TEST(UnitAverage, RecoveryAveragesWithTheUnitButNeverLowersIt)
{
    const auto raised = unitAverage(marks({5.0}, 0, 8.0), {});
    EXPECT_DOUBLE_EQ(raised->average, 5.0);
    EXPECT_DOUBLE_EQ(raised->afterRecovery, 6.5);

    EXPECT_DOUBLE_EQ(unitAverage(marks({6.0}, 0, 3.0), {})->afterRecovery, 6.0);
    // No recovery typed counts as 0, so the unit average stands.
    EXPECT_DOUBLE_EQ(unitAverage(marks({6.0}), {})->afterRecovery, 6.0);
}

TEST(UnitAverage, RecoveryReplacesTheAverageWhenTheSchoolSaysSo)
{
    const AverageRules replaces{0, true};
    EXPECT_DOUBLE_EQ(unitAverage(marks({5.0}, 0, 8.0, 0.5), replaces)->afterRecovery, 8.5);
    // Only a better recovery replaces it, and its points are not capped.
    EXPECT_DOUBLE_EQ(unitAverage(marks({6.0}, 0, 5.0, 0.5), replaces)->afterRecovery, 6.0);
    EXPECT_DOUBLE_EQ(unitAverage(marks({5.0}, 0, 9.8, 0.5), replaces)->afterRecovery, 10.3);
    // Without the setting the recovery's points are ignored.
    EXPECT_DOUBLE_EQ(unitAverage(marks({5.0}, 0, 8.0, 0.5), {})->afterRecovery, 6.5);
}

TEST(UnitAverage, FinalAverageGoesThroughTheSchoolRounding)
{
    // (5.0 + 7.4) / 2 = 6.2
    EXPECT_DOUBLE_EQ(unitAverage(marks({5.0}, 0, 7.4), {0, false})->afterRecovery, 6.2);
    EXPECT_DOUBLE_EQ(unitAverage(marks({5.0}, 0, 7.4), {1, false})->afterRecovery, 6.5);
    EXPECT_DOUBLE_EQ(unitAverage(marks({5.0}, 0, 7.4), {2, false})->afterRecovery, 6.0);
}
