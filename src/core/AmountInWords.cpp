#include "core/AmountInWords.h"

#include "core/Formats.h"

#include <QStringList>
#include <array>

namespace core {

namespace {

constexpr std::array<const char16_t *, 20> kUnits = {
    u"", u"um", u"dois", u"três", u"quatro", u"cinco", u"seis", u"sete", u"oito", u"nove",
    u"dez", u"onze", u"doze", u"treze", u"quatorze", u"quinze", u"dezesseis", u"dezessete",
    u"dezoito", u"dezenove"};
constexpr std::array<const char16_t *, 10> kTens = {
    u"", u"", u"vinte", u"trinta", u"quarenta", u"cinquenta", u"sessenta", u"setenta",
    u"oitenta", u"noventa"};
constexpr std::array<const char16_t *, 10> kHundreds = {
    u"", u"cento", u"duzentos", u"trezentos", u"quatrocentos", u"quinhentos", u"seiscentos",
    u"setecentos", u"oitocentos", u"novecentos"};

// One group of three digits with its scale word: "mil" alone for one thousand, as Brazilian
// usage writes it, and "um milhão" / "dois milhões".
QString groupWords(int group, int scale)
{
    switch (scale) {
    case 2:
        return numberInWords(group) + (group == 1 ? QStringLiteral(" milhão") : QStringLiteral(" milhões"));
    case 1:
        return group == 1 ? QStringLiteral("mil") : numberInWords(group) + QStringLiteral(" mil");
    default:
        return numberInWords(group);
    }
}

// Whole reais: groups joined by ", ", except that the last group takes " e " when it is below
// one hundred or a round hundred ("mil e duzentos", "dois mil, trezentos e quarenta e cinco").
QString integerWords(qint64 reais)
{
    const std::array<int, 3> groups = {int(reais / 1000000), int(reais / 1000 % 1000),
                                       int(reais % 1000)};
    int last = -1;
    for (int i = 0; i < 3; ++i) {
        if (groups[i] != 0)
            last = i;
    }
    QString words;
    for (int i = 0; i < 3; ++i) {
        if (groups[i] == 0)
            continue;
        if (!words.isEmpty()) {
            const bool joinsWithE = i == last && (groups[i] < 100 || groups[i] % 100 == 0);
            words += joinsWithE ? QStringLiteral(" e ") : QStringLiteral(", ");
        }
        words += groupWords(groups[i], 2 - i);
    }
    return words;
}

QString centavosWords(int centavos)
{
    return numberInWords(centavos) + (centavos == 1 ? QStringLiteral(" centavo") : QStringLiteral(" centavos"));
}

} // namespace

QString numberInWords(int number)
{
    if (number <= 0 || number > 999)
        return QString();
    if (number == 100)
        return QStringLiteral("cem");
    QStringList parts;
    if (number >= 100)
        parts << QString::fromUtf16(kHundreds[number / 100]);
    const int rest = number % 100;
    if (rest >= 20) {
        parts << QString::fromUtf16(kTens[rest / 10]);
        if (rest % 10 != 0)
            parts << QString::fromUtf16(kUnits[rest % 10]);
    } else if (rest > 0) {
        parts << QString::fromUtf16(kUnits[rest]);
    }
    return parts.join(QStringLiteral(" e "));
}

QString amountInWords(Money amount)
{
    const qint64 total = amount.centavos();
    if (total <= 0 || total > kLargestAmountInWords)
        return QString::fromUtf16(kInvalidAmountWords);
    const qint64 reais = total / 100;
    const int centavos = int(total % 100);
    if (reais == 0)
        return centavosWords(centavos);
    QString words = integerWords(reais);
    // "um milhão de reais", "dois milhões de reais": a round number of millions takes "de".
    if (reais % 1000000 == 0)
        words += QStringLiteral(" de");
    words += reais == 1 ? QStringLiteral(" real") : QStringLiteral(" reais");
    if (centavos != 0)
        words += QStringLiteral(" e ") + centavosWords(centavos);
    return words;
}

QString amountInWords(const QString &text)
{
    const QString typed = trimmed(text);
    // The number reader decides what is well formed (thousands points every three digits);
    // the value itself is taken from the digits.
    if (!parseNumber(typed))
        return QString::fromUtf16(kInvalidAmountWords);
    QString digits = typed;
    digits.remove(kThousandsSeparator);
    if (digits.startsWith(u'-'))
        return QString::fromUtf16(kInvalidAmountWords);
    if (digits.startsWith(u'+'))
        digits.remove(0, 1);
    const qsizetype comma = digits.indexOf(kDecimalSeparator);
    const QString integerPart = comma < 0 ? digits : digits.left(comma);
    const QString decimals = comma < 0 ? QString() : (digits.mid(comma + 1) + QStringLiteral("000")).left(3);
    // Leading zeros aside, more than nine integer digits is beyond the largest amount.
    QString significant = integerPart;
    while (significant.size() > 1 && significant.startsWith(u'0'))
        significant.remove(0, 1);
    if (significant.size() > 9)
        return QString::fromUtf16(kInvalidAmountWords);
    qint64 centavos = significant.toLongLong() * 100;
    if (!decimals.isEmpty()) {
        centavos += decimals.left(2).toInt();
        if (decimals.at(2) >= u'5')
            ++centavos;
    }
    return amountInWords(Money::fromCentavos(centavos));
}

} // namespace core
