#pragma once

#include "core/Money.h"

#include <QString>

// Amounts written out in Brazilian Portuguese words, as a contract states a fee:
// "um real", "mil e duzentos reais", "um milhão de reais",
// "dois mil, trezentos e quarenta e cinco reais e sessenta e sete centavos".
namespace core {

// What stands in place of the words for an amount of zero or less, or beyond the largest one.
inline constexpr char16_t kInvalidAmountWords[] = u"***Valor inválido***";

// The largest amount written in words: 999.999.999,99.
inline constexpr qint64 kLargestAmountInWords = 99999999999;

// 0 to 999 in words ("cento e quarenta e cinco", "cem"); empty for 0 and outside the range.
QString numberInWords(int number);

// The amount in words; kInvalidAmountWords for zero, negative or too large amounts.
QString amountInWords(Money amount);

// The same for typed text ("1.234,56", "19,999", "150"): decimal comma, optional thousands
// points. Read as decimal digits, never through a binary fraction; the centavos round half up
// on the third decimal, so "19,999" is "vinte reais". Unreadable text is an invalid amount.
QString amountInWords(const QString &text);

} // namespace core
