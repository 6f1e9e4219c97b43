#include "billing/slips/SlipTexts.h"

#include "core/Formats.h"

#include <QHash>

namespace billing {

namespace {

const QString kMask = QStringLiteral("###,##0.00");

core::Money discounts(const SlipRow &row)
{
    return row.descontoFixo + row.descontoEventual;
}

bool overpaid(const SlipRow &row)
{
    return row.pgtoValor > row.parcelaValor;
}

} // namespace

SlipRunTexts runTexts(const BoletoChoices &choices)
{
    SlipRunTexts texts;
    if (!choices.hideFineText) {
        texts.fineLine = kFinePrefix + QStringLiteral(" ") + choices.fineText + QStringLiteral("%");
        texts.interestLine = kInterestPrefix + QStringLiteral(" ") + choices.interestText + QStringLiteral("%");
    }
    texts.message1 = choices.message1;
    texts.message2 = choices.message2;
    texts.hideDiscounts = choices.hideDiscounts;
    return texts;
}

SlipRunTexts reprintTexts(const SlipRow &row)
{
    SlipRunTexts texts;
    texts.fineLine = QStringLiteral("Encargos calculados para receber até ") + core::formatDate(row.pgtoData);
    // Paid late: nothing more to reckon a day at a time.
    if (row.parcelaData >= row.pgtoData)
        texts.interestLine = kInterestPrefix;
    return texts;
}

QString slipKindName(const QString &tipo)
{
    static const QHash<QString, QString> names{
        {QStringLiteral("N"), QStringLiteral("MENSALIDADE")},      {QStringLiteral("0"), QStringLiteral("MATRÍCULA")},
        {QStringLiteral("1"), QStringLiteral("MATERIAL ESCOLAR")}, {QStringLiteral("2"), QStringLiteral("LIVROS")},
        {QStringLiteral("3"), QStringLiteral("BRINQUEDOS")},       {QStringLiteral("4"), QStringLiteral("VIAGEM")},
        {QStringLiteral("5"), QStringLiteral("COMEMORAÇÕES")},     {QStringLiteral("6"), QStringLiteral("ESPORTES")},
        {QStringLiteral("7"), QStringLiteral("DISCIPLINA EXTRA")}, {QStringLiteral("9"), QStringLiteral("OUTRAS TAXAS")}};
    return names.value(tipo.trimmed().toUpper());
}

core::Money slipAmountToPay(const SlipRow &row, bool hideDiscounts)
{
    if (overpaid(row))
        return row.pgtoValor;
    if (hideDiscounts && discounts(row) > core::Money())
        return core::Money();
    return row.parcelaValor - discounts(row) + row.acrescimos;
}

SlipAmounts slipAmounts(const SlipRow &row, bool hideDiscounts)
{
    SlipAmounts a;
    a.kindLine = slipKindName(row.tipo) + QStringLiteral(" - ") + QString::number(row.mes);
    a.mensalidade = row.parcelaValor.format(kMask);
    a.acrescimo = row.acrescimos.format(kMask);
    const bool hidden = hideDiscounts && discounts(row) > core::Money();
    if (overpaid(row)) {
        a.desconto = QStringLiteral("*,**");
        a.valorAPagar = row.pgtoValor.format(kMask);
    } else if (hidden) {
        a.desconto = QStringLiteral("*******");
    } else {
        a.desconto = discounts(row).format(kMask);
        a.valorAPagar = slipAmountToPay(row, false).format(kMask);
    }
    if (discounts(row) > core::Money() && !hideDiscounts)
        a.discountWarning = kDiscountWarning;
    return a;
}

} // namespace billing
