#pragma once

#include <QString>

// Brazilian taxpayer numbers with their check digits.
namespace data::demo {

// "000.000.000-00" from the first nine digits (0 .. 999 999 999).
QString cpfFromBase(quint32 base);
// "00.000.000/0001-00" (CGC/CNPJ) from the first eight digits and the branch number.
QString cnpjFromBase(quint32 base, int branch = 1);
// True when the text's eleven digits carry valid CPF check digits.
bool isValidCpf(const QString &text);

} // namespace data::demo
