#pragma once

#include "billing/slips/BoletoChoices.h"
#include "billing/slips/SlipRows.h"

#include <QString>

// What a slip prints besides the row's plain fields: the lines every slip of a run shares and the
// amounts of one slip with their hiding rules.
namespace billing {

// The lines of a run.
struct SlipRunTexts
{
    QString fineLine;     // "APÓS VENCIMENTO APLICAR MULTA DE  2,0%"
    QString interestLine; // "PARA CADA DIA DE ATRASO APLICAR JUROS DE MORA DE  0,33%"
    QString message1;
    QString message2;
    bool hideDiscounts = false;
};

SlipRunTexts runTexts(const BoletoChoices &choices);
// The reprint of a paid charge: the charges are reckoned up to the payment date, and there is
// no message.
SlipRunTexts reprintTexts(const SlipRow &row);

// The texts of one slip.
struct SlipAmounts
{
    QString kindLine;  // "MENSALIDADE - 3"
    QString mensalidade;
    QString desconto;
    QString acrescimo;
    QString valorAPagar;
    QString discountWarning;
};

SlipAmounts slipAmounts(const SlipRow &row, bool hideDiscounts);

// What the school asks on the slip: discounts plus additions taken from the fee, or what was
// received when more than the fee was paid. Zero when it is hidden.
core::Money slipAmountToPay(const SlipRow &row, bool hideDiscounts);

// "MENSALIDADE" for "N", "MATRÍCULA" for "0" ... "OUTRAS TAXAS" for "9"; empty for another code.
QString slipKindName(const QString &tipo);

inline const QString kFinePrefix = QStringLiteral("APÓS VENCIMENTO APLICAR MULTA DE ");
inline const QString kInterestPrefix = QStringLiteral("PARA CADA DIA DE ATRASO APLICAR JUROS DE MORA DE ");
inline const QString kDiscountWarning = QStringLiteral("NÃO CONCEDER DESCONTO APÓS O VENCIMENTO");
inline const QString kNoSlipRows = QStringLiteral("Não há registros para o mês informado.");
inline const QString kSlipNumberNotStored = QStringLiteral("Erro ao gravar campo nosso_número em CCorrent.db");
inline const QString kPayFirst = QStringLiteral("É necessário fazer a baixa do pagamento primeiro!");

} // namespace billing
