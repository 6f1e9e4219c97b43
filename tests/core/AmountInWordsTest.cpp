#include "core/AmountInWords.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using core::amountInWords;
using core::Money;

namespace {

using Worked = std::vector<std::pair<const char *, const char *>>;

void expectWorked(const Worked &values)
{
    for (const auto &[typed, words] : values)
        EXPECT_EQ(amountInWords(QString::fromUtf8(typed)), QString::fromUtf8(words)) << typed;
}

} // namespace

TEST(AmountInWords, UnitsTeensAndTens)
{
    expectWorked({
        {"1", "um real"},
        {"2", "dois reais"},
        {"3", "três reais"},
        {"9", "nove reais"},
        {"10", "dez reais"},
        {"11", "onze reais"},
        {"14", "quatorze reais"},
        {"16", "dezesseis reais"},
        {"19", "dezenove reais"},
        {"20", "vinte reais"},
        {"21", "vinte e um reais"},
        {"45", "quarenta e cinco reais"},
        {"99", "noventa e nove reais"},
    });
}

TEST(AmountInWords, HundredsSayCemAloneAndCentoBeforeMore)
{
    expectWorked({
        {"100", "cem reais"},
        {"101", "cento e um reais"},
        {"115", "cento e quinze reais"},
        {"120", "cento e vinte reais"},
        {"145", "cento e quarenta e cinco reais"},
        {"150", "cento e cinquenta reais"},
        {"200", "duzentos reais"},
        {"500", "quinhentos reais"},
        {"999", "novecentos e noventa e nove reais"},
    });
}

TEST(AmountInWords, ThousandsJoinWithEOnlyBeforeARoundOrSmallLastGroup)
{
    expectWorked({
        {"1000", "mil reais"},
        {"1.001", "mil e um reais"},
        {"1.050", "mil e cinquenta reais"},
        {"1100", "mil e cem reais"},
        {"1.200", "mil e duzentos reais"},
        {"1.234", "mil, duzentos e trinta e quatro reais"},
        {"2.000", "dois mil reais"},
        {"2.345,67", "dois mil, trezentos e quarenta e cinco reais e sessenta e sete centavos"},
        {"12.500", "doze mil e quinhentos reais"},
        {"100.000", "cem mil reais"},
        {"101.101", "cento e um mil, cento e um reais"},
        {"999.999", "novecentos e noventa e nove mil, novecentos e noventa e nove reais"},
    });
}

TEST(AmountInWords, MillionsTakeDeOnlyWhenNothingFollows)
{
    expectWorked({
        {"1.000.000", "um milhão de reais"},
        {"2000000", "dois milhões de reais"},
        {"1.000.000,50", "um milhão de reais e cinquenta centavos"},
        {"1.001.000", "um milhão e mil reais"},
        {"1.000.001", "um milhão e um reais"},
        {"1.200.000", "um milhão e duzentos mil reais"},
        {"1.200.300", "um milhão, duzentos mil e trezentos reais"},
        {"3.000.400", "três milhões e quatrocentos reais"},
        {"1.234.567,89", "um milhão, duzentos e trinta e quatro mil, quinhentos e sessenta e sete "
                         "reais e oitenta e nove centavos"},
        {"999.999.999,99", "novecentos e noventa e nove milhões, novecentos e noventa e nove mil, "
                           "novecentos e noventa e nove reais e noventa e nove centavos"},
    });
}

TEST(AmountInWords, CentavosWithAndWithoutReais)
{
    expectWorked({
        {"0,01", "um centavo"},
        {"0,5", "cinquenta centavos"},
        {"0,99", "noventa e nove centavos"},
        {"1,01", "um real e um centavo"},
        {"100,50", "cem reais e cinquenta centavos"},
        {"150,00", "cento e cinquenta reais"},
        {"21,21", "vinte e um reais e vinte e um centavos"},
    });
}

TEST(AmountInWords, TheThirdDecimalRoundsHalfUp)
{
    expectWorked({
        {"19,999", "vinte reais"},
        {"10,994", "dez reais e noventa e nove centavos"},
        {"10,995", "onze reais"},
        {"0,005", "um centavo"},
        {"0,004", "***Valor inválido***"},
        {"999,9951", "mil reais"},
    });
}

TEST(AmountInWords, NothingPositiveOrWithinRangeIsInvalid)
{
    expectWorked({
        {"0", "***Valor inválido***"},
        {"0,00", "***Valor inválido***"},
        {"-5", "***Valor inválido***"},
        {"-0,01", "***Valor inválido***"},
        {"1.000.000.000", "***Valor inválido***"},
        {"999.999.999,995", "***Valor inválido***"},
        {"doze", "***Valor inválido***"},
        {"", "***Valor inválido***"},
        {"1.5", "***Valor inválido***"},
    });
}

TEST(AmountInWords, MoneyAndTextAgree)
{
    EXPECT_EQ(amountInWords(Money::fromCentavos(123456)), amountInWords(QStringLiteral("1.234,56")));
    EXPECT_EQ(amountInWords(Money::fromCentavos(1)), QStringLiteral("um centavo"));
    EXPECT_EQ(amountInWords(Money::fromCentavos(-100)), QString::fromUtf16(core::kInvalidAmountWords));
    // Single blanks only: a contract is a legal text.
    for (qint64 c : {100LL, 123456LL, 100000000LL, 99999999999LL}) {
        const QString words = amountInWords(Money::fromCentavos(c));
        EXPECT_FALSE(words.contains(QStringLiteral("  "))) << c;
        EXPECT_EQ(words, words.trimmed()) << c;
    }
}

TEST(NumberInWords, CoversZeroToNineHundredNinetyNine)
{
    EXPECT_EQ(core::numberInWords(0), QString());
    EXPECT_EQ(core::numberInWords(1000), QString());
    EXPECT_EQ(core::numberInWords(100), QStringLiteral("cem"));
    EXPECT_EQ(core::numberInWords(110), QStringLiteral("cento e dez"));
    EXPECT_EQ(core::numberInWords(300), QStringLiteral("trezentos"));
    EXPECT_EQ(core::numberInWords(730), QStringLiteral("setecentos e trinta"));
}
