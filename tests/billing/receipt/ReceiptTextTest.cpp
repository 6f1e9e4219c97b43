// The receipt's text: every line as it prints, and the small formats it is made of.
#include "billing/receipt/ReceiptText.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace billing;

namespace {

ReceiptSource paidFee()
{
    ReceiptSource s;
    s.school = {QStringLiteral("Colégio São João"), QStringLiteral("Rua da Conceição, 12"),
                QStringLiteral("Maceió"), QStringLiteral("AL"), QStringLiteral("(82) 3333-4444")};
    s.student = {1234, QStringLiteral("JOSÉ DA SILVA ÇÃO"), QStringLiteral("Maria Antônia Lúcia")};
    s.charge.turma = QStringLiteral("1G1A");
    s.charge.nossoNum = 20070305;
    s.charge.tipo = QStringLiteral("N");
    s.charge.parcelaNum = 3;
    s.charge.parcelaData = QDate(2007, 3, 10);
    s.charge.parcelaValor = core::Money::fromCentavos(123450);
    s.charge.descontoFixo = core::Money::fromCentavos(10000);
    s.charge.descontoEventual = core::Money::fromCentavos(2345);
    s.charge.acrescimos = core::Money::fromCentavos(207);
    s.charge.pgtoValor = core::Money::fromCentavos(111312);
    s.charge.pgtoData = QDate(2007, 3, 5);
    s.userName = QStringLiteral("TESOURARIA");
    s.programTitle = QStringLiteral("Lumesco v 2010.01.21");
    s.today = QDate(2007, 3, 6);
    return s;
}

} // namespace

TEST(ReceiptText, LinesOfAPaidFeeInOrder)
{
    const QStringList expected = {
        "Colegio Sao Joao",
        "Rua da Conceicao, 12",
        "Maceio-AL Fone: (82) 3333-4444",
        "",
        "          RECIBO DE PAGAMENTO          ",
        "Emitido em: 06/03/2007",
        "Turma: 1G1A",
        "Aluno: 1234 JOSE DA SILVA CAO",
        "Resp : Maria Antonia Lucia",
        "",
        "Boleto No.: 20070305 TKKMKWKH",
        "Tipo : N Parc. 3",
        "Vencimento   :   10/03/2007",
        "Valor        :     1.234,50",
        "Desconto *(-):       123,45",
        "Acrescimos(+):         2,07",
        "Valor Pago   :     1.113,12",
        "Pago em      :   05/03/2007",
        "* Somente valido ate o vencimento",
        "",
        "Usuario      : TESOURARIA",
        "Lumesco v 2010.01.21",
        "",
        "",
    };
    EXPECT_EQ(receiptLines(paidFee()), expected);
}

TEST(ReceiptText, AuthenticationLineJoinsSlipDatesAndAmountAndCopesWithoutSlip)
{
    ReceiptSource s = paidFee();
    EXPECT_EQ(authenticationLine(s.charge, s.today), "20070305 06032007 05032007 R$1.113,12");
    s.charge.nossoNum.reset();
    EXPECT_EQ(receiptLines(s).at(10), "Boleto No.:  ");
    EXPECT_EQ(authenticationLine(s.charge, s.today), " 06032007 05032007 R$1.113,12");
}

TEST(ReceiptText, NormalisationReplacesEveryAccentedLetterAndNothingElse)
{
    EXPECT_EQ(withoutAccents(QStringLiteral("àâêôûãõáéíóúçüÀÂÊÔÛÃÕÁÉÍÓÚÇÜ")),
              QStringLiteral("aaeouaoaeioucuAAEOUAOAEIOUCU"));
    EXPECT_EQ(withoutAccents(QStringLiteral("D'ÁVILA è ñ 1º")), QStringLiteral("D'AVILA è ñ 1º"));
}

TEST(ReceiptText, AmountsTitleAndCodeKeepTheirWidths)
{
    EXPECT_EQ(receiptAmount(core::Money::fromCentavos(123450)), "    1.234,50");
    EXPECT_EQ(receiptAmount(core::Money::fromCentavos(12345678999)), "123.456.789,");
    const QString title = centredTitle(QStringLiteral("Recibo de Pagamento"));
    EXPECT_EQ(title, QString(10, u' ') + "RECIBO DE PAGAMENTO" + QString(10, u' '));
    EXPECT_EQ(centredTitle(QString(45, u'x')), QString(45, u'X'));
    EXPECT_EQ(slipVerificationCode(1234567890.0), "RTWXHPMZNK");
    EXPECT_EQ(slipNumberText(12345678901234.0), "12345678901234");
}

TEST(ReceiptText, AuthenticationAmountKeepsEveryDigitInTenColumns)
{
    EXPECT_EQ(authenticationAmount(core::Money::fromCentavos(45000)), " R$ 450,00");
    EXPECT_EQ(authenticationAmount(core::Money::fromCentavos(123456)), "R$1.234,56");
    EXPECT_EQ(authenticationAmount(core::Money::fromCentavos(1234567)), " 12.345,67");
}
