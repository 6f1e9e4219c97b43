#include "data/demo/Cpf.h"

#include <QList>

namespace data::demo {

namespace {

// Modulo-11 check digit over `digits` with the given weights.
int checkDigit(const QList<int> &digits, const QList<int> &weights)
{
    int sum = 0;
    for (int i = 0; i < digits.size(); ++i)
        sum += digits.at(i) * weights.at(i);
    const int rest = sum % 11;
    return rest < 2 ? 0 : 11 - rest;
}

QList<int> digitsOf(quint64 number, int count)
{
    QList<int> digits(count);
    for (int i = count - 1; i >= 0; --i) {
        digits[i] = int(number % 10);
        number /= 10;
    }
    return digits;
}

QList<int> descendingWeights(int from, int count)
{
    QList<int> weights;
    for (int i = 0; i < count; ++i)
        weights += from - i;
    return weights;
}

QList<int> withCpfCheckDigits(QList<int> digits)
{
    digits += checkDigit(digits, descendingWeights(10, 9));
    digits += checkDigit(digits, descendingWeights(11, 10));
    return digits;
}

QString joined(const QList<int> &digits)
{
    QString text;
    for (int d : digits)
        text += QChar(u'0' + d);
    return text;
}

} // namespace

QString cpfFromBase(quint32 base)
{
    const QString d = joined(withCpfCheckDigits(digitsOf(base % 1000000000u, 9)));
    return QStringLiteral("%1.%2.%3-%4").arg(d.mid(0, 3), d.mid(3, 3), d.mid(6, 3), d.mid(9, 2));
}

QString cnpjFromBase(quint32 base, int branch)
{
    QList<int> digits = digitsOf(base % 100000000u, 8) + digitsOf(quint64(branch % 10000), 4);
    digits += checkDigit(digits, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2});
    digits += checkDigit(digits, {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2});
    const QString d = joined(digits);
    return QStringLiteral("%1.%2.%3/%4-%5")
        .arg(d.mid(0, 2), d.mid(2, 3), d.mid(5, 3), d.mid(8, 4), d.mid(12, 2));
}

bool isValidCpf(const QString &text)
{
    QList<int> digits;
    for (QChar c : text) {
        if (c.isDigit())
            digits += c.digitValue();
    }
    if (digits.size() != 11)
        return false;
    return withCpfCheckDigits(digits.mid(0, 9)) == digits;
}

} // namespace data::demo
