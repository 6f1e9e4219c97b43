#include "data/settings/Rounding.h"
#include "data/settings/Settings.h"

#include <gtest/gtest.h>

using data::roundOneDecimal;
using data::schoolRound;

TEST(RoundOneDecimal, CutsToHundredthsThenRoundsHalvesToEven)
{
    EXPECT_DOUBLE_EQ(roundOneDecimal(6.649), 6.6);
    EXPECT_DOUBLE_EQ(roundOneDecimal(6.25), 6.2);
    EXPECT_DOUBLE_EQ(roundOneDecimal(6.75), 6.8);
    EXPECT_DOUBLE_EQ(roundOneDecimal(6.259), 6.2); // the third decimal never counts
    EXPECT_DOUBLE_EQ(roundOneDecimal(6.26), 6.3);
    EXPECT_DOUBLE_EQ(roundOneDecimal(1.15), 1.2); // held as 1.1499999…, still 1,15
    EXPECT_DOUBLE_EQ(roundOneDecimal(0.05), 0.0);
    EXPECT_DOUBLE_EQ(roundOneDecimal(7.0), 7.0);
    EXPECT_DOUBLE_EQ(roundOneDecimal(20.0 / 3), 6.7);
    EXPECT_DOUBLE_EQ(roundOneDecimal(-6.25), -6.2);
}

TEST(SchoolRound, ModeZeroAndUnknownModesKeepTheValue)
{
    for (double v : {-1.0, 0.0, 5.25, 6.649, 10.3, 15.0}) {
        EXPECT_EQ(schoolRound(v, 0), v);
        EXPECT_EQ(schoolRound(v, 3), v);
    }
}

TEST(SchoolRound, ModeOneGoesUpToTheNextHalf)
{
    EXPECT_EQ(schoolRound(5.0, 1), 5.0);
    EXPECT_EQ(schoolRound(5.01, 1), 5.5);
    EXPECT_EQ(schoolRound(10.3, 1), 10.3);
    for (double v : {5.1, 5.2, 5.3, 5.4})
        EXPECT_EQ(schoolRound(v, 1), 5.5) << v;
    for (double v : {5.6, 5.7, 5.8, 5.9})
        EXPECT_EQ(schoolRound(v, 1), 6.0) << v;
    EXPECT_EQ(schoolRound(0.1, 1), 0.5);
    EXPECT_EQ(schoolRound(6.6, 1), 7.0);
    EXPECT_EQ(schoolRound(9.6, 1), 10.0);
    EXPECT_EQ(schoolRound(9.99, 1), 10.0);
    // Boundaries: not above 0, not below 10, and the halves themselves stay.
    EXPECT_EQ(schoolRound(0.0, 1), 0.0);
    EXPECT_EQ(schoolRound(-0.3, 1), -0.3);
    EXPECT_EQ(schoolRound(10.0, 1), 10.0);
    EXPECT_EQ(schoolRound(0.5, 1), 0.5);
    EXPECT_EQ(schoolRound(9.5, 1), 9.5);
}

TEST(SchoolRound, ModeTwoGoesToTheNearestHalfWithQuartersDown)
{
    EXPECT_EQ(schoolRound(5.25, 2), 5.0);
    EXPECT_EQ(schoolRound(5.26, 2), 5.5);
    EXPECT_EQ(schoolRound(5.75, 2), 5.5);
    EXPECT_EQ(schoolRound(5.76, 2), 6.0);
    EXPECT_EQ(schoolRound(0.25, 2), 0.0);
    EXPECT_EQ(schoolRound(6.25, 2), 6.0);
    EXPECT_EQ(schoolRound(6.26, 2), 6.5);
    EXPECT_EQ(schoolRound(6.75, 2), 6.5);
    EXPECT_EQ(schoolRound(6.76, 2), 7.0);
    for (double v : {4.8, 4.9, 5.0, 5.1, 5.2})
        EXPECT_EQ(schoolRound(v, 2), 5.0) << v;
    for (double v : {5.3, 5.4, 5.5, 5.6, 5.7})
        EXPECT_EQ(schoolRound(v, 2), 5.5) << v;
    // The ends of the scale.
    EXPECT_EQ(schoolRound(0.0, 2), 0.0);
    EXPECT_EQ(schoolRound(0.26, 2), 0.5);
    EXPECT_EQ(schoolRound(0.3, 2), 0.5);
    EXPECT_EQ(schoolRound(9.75, 2), 9.5);
    EXPECT_EQ(schoolRound(9.76, 2), 10.0);
    EXPECT_EQ(schoolRound(10.0, 2), 10.0);
    EXPECT_EQ(schoolRound(10.01, 2), 10.01);
    EXPECT_EQ(schoolRound(-0.1, 2), -0.1);
    EXPECT_EQ(schoolRound(15.0, 2), 15.0); // an absence marker passes untouched
}

TEST(SchoolRound, WithoutModeFollowsTheLoadedSettings)
{
    data::Settings &record = data::settings();
    const int saved = record.Arredondamento;
    record.Arredondamento = 1;
    EXPECT_EQ(schoolRound(6.25), 6.5);
    record.Arredondamento = 2;
    EXPECT_EQ(schoolRound(6.25), 6.0);
    record.Arredondamento = saved;
}
