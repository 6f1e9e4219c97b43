#include "core/Clock.h"
#include "core/Formats.h"

#include <gtest/gtest.h>

using namespace core;

TEST(ParseNumber, AcceptsBrazilianConventions)
{
    EXPECT_DOUBLE_EQ(*parseNumber(QStringLiteral("1.234,56")), 1234.56);
    EXPECT_DOUBLE_EQ(*parseNumber(QStringLiteral("1234,56")), 1234.56);
    EXPECT_DOUBLE_EQ(*parseNumber(QStringLiteral(" -3,5 ")), -3.5);
    EXPECT_DOUBLE_EQ(*parseNumber(QStringLiteral(",5")), 0.5);
    EXPECT_DOUBLE_EQ(*parseNumber(QStringLiteral("1.000.000")), 1000000.0);
    EXPECT_DOUBLE_EQ(*parseNumber(QStringLiteral("7")), 7.0);
    EXPECT_DOUBLE_EQ(*parseNumber(QStringLiteral("10,")), 10.0);
}

TEST(ParseNumber, RejectsMalformedText)
{
    for (const char *bad : {"", "  ", "abc", "1,2,3", "1.23", "12.34,5", "1,5x", "-", ","})
        EXPECT_FALSE(parseNumber(QString::fromLatin1(bad)).has_value()) << bad;
}

// A point typed as a decimal point must never pass for a thousands point: "0.050" read as 50
// would turn an interest rate of 0,05 % into 50 % a day.
TEST(ParseNumber, PointAfterZeroLeadIsRefused)
{
    for (const char *bad : {"0.050", "0.500", "00.500", "-0.050", "0.5", "1.5", "0.050,00"})
        EXPECT_FALSE(parseNumber(QString::fromLatin1(bad)).has_value()) << bad;
    for (const char *bad : {"0.050", "0.500"})
        EXPECT_FALSE(parseInteger(QString::fromLatin1(bad)).has_value()) << bad;
    EXPECT_DOUBLE_EQ(*parseNumber(QStringLiteral("1.500")), 1500.0);
    EXPECT_DOUBLE_EQ(*parseNumber(QStringLiteral("1.500,25")), 1500.25);
    EXPECT_DOUBLE_EQ(*parseNumber(QStringLiteral("0,05")), 0.05);
    EXPECT_DOUBLE_EQ(*parseNumber(QStringLiteral("0050")), 50.0);
    EXPECT_TRUE(invalidNumberMessage(QStringLiteral(" 0.050 ")).startsWith(u"\"0.050\" não é"));
}

TEST(MaskDecimals, CountsPrintedPlaces)
{
    EXPECT_EQ(maskDecimals(QStringLiteral("###,##0.00")), 2);
    EXPECT_EQ(maskDecimals(QStringLiteral("0.0#")), 2);
    EXPECT_EQ(maskDecimals(QStringLiteral("#0.0")), 1);
    EXPECT_EQ(maskDecimals(QStringLiteral("0")), 0);
    EXPECT_EQ(maskDecimals(QStringLiteral("R$ ###,##0.00;(0.000)")), 2);
}

TEST(ParseInteger, WholeNumbersOnly)
{
    EXPECT_EQ(*parseInteger(QStringLiteral("1.234")), 1234);
    EXPECT_EQ(*parseInteger(QStringLiteral("-12")), -12);
    EXPECT_FALSE(parseInteger(QStringLiteral("1,5")).has_value());
    EXPECT_FALSE(parseInteger(QStringLiteral("")).has_value());
}

struct MaskCase
{
    double value;
    const char *mask;
    const char16_t *expected;
};

class FormatNumberTest : public ::testing::TestWithParam<MaskCase>
{
};

TEST_P(FormatNumberTest, FormatsWithMask)
{
    const MaskCase c = GetParam();
    EXPECT_EQ(formatNumber(c.value, QString::fromLatin1(c.mask)), QString::fromUtf16(c.expected))
        << c.value << " " << c.mask;
}

INSTANTIATE_TEST_SUITE_P(
    Masks, FormatNumberTest,
    ::testing::Values(
        MaskCase{1234.56, "###,##0.00", u"1.234,56"}, MaskCase{0, "###,##0.00", u"0,00"},
        MaskCase{1234567.891, "###,###,##0.00", u"1.234.567,89"},
        MaskCase{-1234.5, "###,##0.00", u"-1.234,50"}, MaskCase{0.5, "###,##0.00", u"0,50"},
        MaskCase{999.995, "###,##0.00", u"1.000,00"},
        // the last digit rounds on the value as typed, half away from zero
        MaskCase{2.675, "0.00", u"2,68"}, MaskCase{1.005, "0.00", u"1,01"},
        MaskCase{-2.675, "0.00", u"-2,68"}, MaskCase{6.25, "0.0", u"6,3"},
        MaskCase{6.24999, "0.0", u"6,2"}, MaskCase{9.95, "0.0", u"10,0"},
        MaskCase{7, "0.0", u"7,0"}, MaskCase{0.04, "#0.0", u"0,0"}, MaskCase{8.5, "#0.0", u"8,5"},
        MaskCase{10, "#0.0", u"10,0"}, MaskCase{-0.04, "0.0", u"0,0"},
        MaskCase{3, "00", u"03"}, MaskCase{12, "00", u"12"}, MaskCase{3.6, "00", u"04"},
        MaskCase{0, "##", u""}, MaskCase{5, "##", u"5"}, MaskCase{0.5, "#.##", u",5"},
        MaskCase{1234, "#.##", u"1234"}, MaskCase{12.5, "R$ ###,##0.00", u"R$ 12,50"},
        MaskCase{5, "0.00' %'", u"5,00 %"}, MaskCase{-5, "0.00;(0.00)", u"(5,00)"},
        MaskCase{0, "0.00;(0.00);'zero'", u"zero"}, MaskCase{1e9, "###,###,##0.00", u"1.000.000.000,00"}));

TEST(FormatPlain, ShortestText)
{
    EXPECT_EQ(formatPlain(1234.5), QStringLiteral("1234,5"));
    EXPECT_EQ(formatPlain(-3), QStringLiteral("-3"));
    EXPECT_EQ(formatPlain(0.1 + 0.2), QStringLiteral("0,3"));
    EXPECT_EQ(formatMoney(1234.5), QStringLiteral("1.234,50"));
}

TEST(Dates, ShortAndLongForms)
{
    EXPECT_EQ(formatDate(QDate(2026, 3, 5)), QStringLiteral("05/03/2026"));
    EXPECT_EQ(formatDate(QDate()), QString());
    EXPECT_EQ(longDate(QDate(2007, 3, 5)), QStringLiteral("05 de março de 2007"));
    EXPECT_EQ(longDate(QDate(2007, 12, 25), LetterCase::Capitalised),
              QStringLiteral("25 de Dezembro de 2007"));
    EXPECT_EQ(monthName(1), QStringLiteral("janeiro"));
    EXPECT_EQ(monthName(3, LetterCase::Capitalised), QStringLiteral("Março"));
    EXPECT_EQ(monthName(3, LetterCase::Upper), QStringLiteral("MARÇO"));
    EXPECT_EQ(monthName(13), QString());
    EXPECT_EQ(formatDateTime(QDateTime(QDate(2026, 3, 5), QTime(8, 7, 6))),
              QStringLiteral("05/03/2026 08:07:06"));
}

TEST(Dates, Parsing)
{
    EXPECT_EQ(*parseDate(QStringLiteral("05/03/2026")), QDate(2026, 3, 5));
    EXPECT_EQ(*parseDate(QStringLiteral("5/3/2026")), QDate(2026, 3, 5));
    EXPECT_EQ(*parseDate(QStringLiteral("29/02/2024")), QDate(2024, 2, 29));
    EXPECT_FALSE(parseDate(QStringLiteral("29/02/2025")).has_value());
    EXPECT_FALSE(parseDate(QStringLiteral("31/04/2026")).has_value());
    EXPECT_FALSE(parseDate(QStringLiteral("2026-03-05")).has_value());
    EXPECT_FALSE(parseDate(QStringLiteral("")).has_value());
    pinClock(QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
    EXPECT_EQ(*parseDate(QStringLiteral("05/03/07")), QDate(2007, 3, 5));
    pinClock(QDateTime());
}

TEST(Clock, PinnedMomentWins)
{
    pinClock(QDateTime(QDate(2025, 1, 31), QTime(23, 59)));
    EXPECT_EQ(today(), QDate(2025, 1, 31));
    EXPECT_EQ(now().time(), QTime(23, 59));
    pinClock(QDateTime());
    EXPECT_NE(today(), QDate(2025, 1, 31));
}
