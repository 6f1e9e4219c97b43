#include "core/Money.h"

#include <gtest/gtest.h>

using core::Money;

TEST(Money, RoundsHalfAwayFromZeroOnTheValueAsTyped)
{
    EXPECT_EQ(Money::fromDouble(2.675).centavos(), 268);
    EXPECT_EQ(Money::fromDouble(1.005).centavos(), 101);
    EXPECT_EQ(Money::fromDouble(-1.005).centavos(), -101);
    EXPECT_EQ(Money::fromDouble(0.004).centavos(), 0);
    EXPECT_EQ(Money::fromDouble(0.005).centavos(), 1);
    EXPECT_EQ(Money::fromDouble(1234567.89).centavos(), 123456789);
    EXPECT_EQ(Money::fromDouble(0.1 + 0.2).centavos(), 30);
    EXPECT_EQ(core::roundToUnits(-0.5, 0), -1);
    EXPECT_EQ(core::roundToUnits(6.25, 1), 63);
    EXPECT_EQ(core::roundToUnits(1e-9, 2), 0);
}

// Thousands of small amounts: a double total drifts, centavos do not.
TEST(Money, SumsOfManySmallAmountsAreExact)
{
    Money total;
    double drift = 0;
    for (int i = 0; i < 3000; ++i) {
        for (double v : {0.10, 0.20, 0.30}) {
            total += Money::fromDouble(v);
            drift += v;
        }
    }
    EXPECT_EQ(total.centavos(), 180000);
    EXPECT_EQ(total.format(), QStringLiteral("1.800,00"));
    EXPECT_NE(drift, 1800.0); // why the amounts are kept in centavos
    EXPECT_EQ((total - Money::fromCentavos(180000)).isZero(), true);
}

TEST(Money, RatesRoundOnceAtTheEnd)
{
    const Money fee = Money::fromCentavos(10500); // 105,00
    EXPECT_EQ(fee.percent(2).centavos(), 210);    // fine of 2 %
    EXPECT_EQ(fee.percent(0.033).centavos(), 3);  // 3,465 centavos of daily interest -> 3
    EXPECT_EQ(Money::fromCentavos(1050).percent(5).centavos(), 53); // 52,5 centavos -> 53
    EXPECT_EQ(Money::fromCentavos(-1050).percent(5).centavos(), -53);
    // 17 days of 0,033 % on 105,00: one rounding of the whole (58,905 -> 59), not 17 of 3
    EXPECT_EQ(fee.times(0.033 / 100 * 17).centavos(), 59);
    EXPECT_EQ(Money::fromCentavos(333).times(3).centavos(), 999);
}

TEST(Money, ParsesAndFormatsBrazilianText)
{
    EXPECT_EQ(Money::parse(QStringLiteral("1.234,56"))->centavos(), 123456);
    EXPECT_EQ(Money::parse(QStringLiteral("-3,5"))->centavos(), -350);
    EXPECT_EQ(Money::parse(QStringLiteral("10"))->centavos(), 1000);
    EXPECT_EQ(Money::parse(QStringLiteral("0,125"))->centavos(), 13);
    EXPECT_FALSE(Money::parse(QStringLiteral("0.50")).has_value());
    EXPECT_FALSE(Money::parse(QStringLiteral("R$ 10")).has_value());
    EXPECT_EQ(Money::fromCentavos(-123456).format(), QStringLiteral("-1.234,56"));
    EXPECT_EQ(Money::fromCentavos(5).format(QStringLiteral("0.00")), QStringLiteral("0,05"));
    EXPECT_LT(Money::fromCentavos(-1), Money());
    EXPECT_EQ(-Money::fromCentavos(7), Money::fromCentavos(-7));
}
