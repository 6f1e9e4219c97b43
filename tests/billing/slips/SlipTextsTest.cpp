#include "billing/slips/SlipTexts.h"

#include <gtest/gtest.h>
#include "support/QStringPrinting.h"

using namespace billing;

namespace {

core::Money reais(double value)
{
    return core::Money::fromDouble(value);
}

SlipRow row(double fee, double fixed = 0, double occasional = 0, double additions = 0, double paid = 0)
{
    SlipRow r;
    r.matricula = 1234;
    r.tipo = QStringLiteral("N");
    r.mes = 3;
    r.parcelaData = QDate(2004, 3, 5);
    r.parcelaValor = reais(fee);
    r.descontoFixo = reais(fixed);
    r.descontoEventual = reais(occasional);
    r.acrescimos = reais(additions);
    r.pgtoValor = reais(paid);
    return r;
}

} // namespace

TEST(SlipTexts, AmountsWithThousandsAndTwoDecimals)
{
    const SlipAmounts a = slipAmounts(row(1250, 100, 25.5, 10), false);
    EXPECT_EQ(a.mensalidade, "1.250,00");
    EXPECT_EQ(a.desconto, "125,50");
    EXPECT_EQ(a.acrescimo, "10,00");
    EXPECT_EQ(a.valorAPagar, "1.134,50");
    EXPECT_EQ(a.discountWarning, QStringLiteral("NÃO CONCEDER DESCONTO APÓS O VENCIMENTO"));
    EXPECT_EQ(a.kindLine, "MENSALIDADE - 3");
}

TEST(SlipTexts, HiddenDiscountsHideTheAmountOnlyWhenThereAreDiscounts)
{
    // Without discounts the slip still shows 0,00 and the amount to pay.
    SlipAmounts a = slipAmounts(row(300), true);
    EXPECT_EQ(a.desconto, "0,00");
    EXPECT_EQ(a.valorAPagar, "300,00");
    EXPECT_TRUE(a.discountWarning.isEmpty());
    // With discounts: stars, no amount, and no warning about a discount it does not show.
    a = slipAmounts(row(300, 30), true);
    EXPECT_EQ(a.desconto, "*******");
    EXPECT_TRUE(a.valorAPagar.isEmpty());
    EXPECT_TRUE(a.discountWarning.isEmpty());
    EXPECT_EQ(slipAmountToPay(row(300, 30), true).centavos(), 0);
}

TEST(SlipTexts, PaidAboveTheFeeShowsWhatWasReceived)
{
    const SlipAmounts a = slipAmounts(row(300, 10, 0, 0, 312.4), false);
    EXPECT_EQ(a.desconto, "*,**");
    EXPECT_EQ(a.valorAPagar, "312,40");
    EXPECT_EQ(slipAmountToPay(row(300, 10, 0, 0, 312.4), true).centavos(), 31240);
    // Paid exactly the fee: the usual amounts.
    EXPECT_EQ(slipAmounts(row(300, 0, 0, 0, 300), false).valorAPagar, "300,00");
}

TEST(SlipTexts, KindNames)
{
    EXPECT_EQ(slipKindName("N"), "MENSALIDADE");
    EXPECT_EQ(slipKindName("0"), QStringLiteral("MATRÍCULA"));
    EXPECT_EQ(slipKindName("5"), QStringLiteral("COMEMORAÇÕES"));
    EXPECT_EQ(slipKindName("7"), "DISCIPLINA EXTRA");
    EXPECT_EQ(slipKindName("9"), "OUTRAS TAXAS");
    EXPECT_EQ(slipKindName("8"), "");
}

TEST(SlipTexts, FineAndInterestLinesOfARun)
{
    BoletoChoices choices;
    choices.fineText = QStringLiteral("2,0");
    choices.interestText = QStringLiteral("0,33");
    choices.message1 = QStringLiteral("Linha um");
    SlipRunTexts t = runTexts(choices);
    EXPECT_EQ(t.fineLine, QStringLiteral("APÓS VENCIMENTO APLICAR MULTA DE  2,0%"));
    EXPECT_EQ(t.interestLine, "PARA CADA DIA DE ATRASO APLICAR JUROS DE MORA DE  0,33%");
    EXPECT_EQ(t.message1, "Linha um");
    choices.hideFineText = true;
    t = runTexts(choices);
    EXPECT_TRUE(t.fineLine.isEmpty());
    EXPECT_TRUE(t.interestLine.isEmpty());
}

TEST(SlipTexts, AReprintReckonsUpToThePaymentDate)
{
    SlipRow paid = row(300);
    paid.pgtoData = QDate(2004, 3, 5); // on the due date
    SlipRunTexts t = reprintTexts(paid);
    EXPECT_EQ(t.fineLine, QStringLiteral("Encargos calculados para receber até 05/03/2004"));
    EXPECT_EQ(t.interestLine, "PARA CADA DIA DE ATRASO APLICAR JUROS DE MORA DE ");
    EXPECT_TRUE(t.message1.isEmpty());
    paid.pgtoData = QDate(2004, 3, 8); // late
    t = reprintTexts(paid);
    EXPECT_EQ(t.fineLine, QStringLiteral("Encargos calculados para receber até 08/03/2004"));
    EXPECT_TRUE(t.interestLine.isEmpty());
}
