#include "core/Formats.h"

#include "core/Clock.h"

#include <QRegularExpression>
#include <algorithm>
#include <QStringList>
#include <cmath>
#include <cstdio>

namespace core {

namespace {

// A non-negative decimal number as digits: value = 0.<digits> x 10^exponent.
struct Decimal
{
    QString digits; // no leading zeros unless the value is zero ("" for zero)
    int exponent = 0;
};

// The value as typed: 15 significant digits are what a double holds reliably, so 2,675 stays
// 2,675 instead of 2,67499999...
Decimal toDecimal(double value)
{
    Decimal d;
    if (value == 0.0 || !std::isfinite(value))
        return d;
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    const QString text = QString::fromLatin1(buffer);
    const int e = text.indexOf(u'e');
    QString digits = text.left(e);
    digits.remove(u'.');
    d.exponent = text.mid(e + 1).toInt() + 1;
    while (digits.endsWith(u'0'))
        digits.chop(1);
    d.digits = digits;
    return d;
}

// Rounds half away from zero to `decimals` places; returns integer and fraction digit texts.
void roundDecimal(const Decimal &d, int decimals, QString &integerDigits, QString &fractionDigits)
{
    // Work on a fixed-point digit string: all digits up to `decimals` places.
    const int keep = d.exponent + decimals; // digits of `digits` that survive
    QString fixed;
    bool roundUp = false;
    if (d.digits.isEmpty() || keep < 0) {
        fixed = QString();
    } else {
        fixed = d.digits.left(keep);
        while (fixed.size() < keep)
            fixed.append(u'0');
        roundUp = keep < d.digits.size() && d.digits.at(keep).digitValue() >= 5;
    }
    // Pad so that there are at least decimals + 1 digits (an integer digit).
    while (fixed.size() < decimals + 1)
        fixed.prepend(u'0');
    if (roundUp) {
        int i = fixed.size() - 1;
        while (i >= 0) {
            const int digit = fixed.at(i).digitValue();
            if (digit < 9) {
                fixed[i] = QChar(u'0' + digit + 1);
                break;
            }
            fixed[i] = u'0';
            --i;
        }
        if (i < 0)
            fixed.prepend(u'1');
    }
    integerDigits = fixed.left(fixed.size() - decimals);
    fractionDigits = fixed.right(decimals);
    while (integerDigits.size() > 1 && integerDigits.startsWith(u'0'))
        integerDigits.remove(0, 1);
}

struct Section
{
    QString prefix;
    QString suffix;
    int minIntegerDigits = 0;
    int requiredDecimals = 0;
    int optionalDecimals = 0;
    bool thousands = false;
};

bool isPlaceholder(QChar c)
{
    return c == u'0' || c == u'#';
}

// Splits on ';' outside quotes.
QStringList splitSections(const QString &mask)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (QChar c : mask) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            current.append(c);
        } else if (c == u'\'' || c == u'"') {
            quote = c;
            current.append(c);
        } else if (c == u';') {
            sections.append(current);
            current.clear();
        } else {
            current.append(c);
        }
    }
    sections.append(current);
    return sections;
}

Section parseSection(const QString &text)
{
    Section s;
    enum { Prefix, Integer, Fraction, Suffix } part = Prefix;
    QChar quote;
    bool seenZero = false;
    for (QChar c : text) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                (part == Prefix ? s.prefix : s.suffix).append(c);
            continue;
        }
        if (c == u'\'' || c == u'"') {
            quote = c;
            if (part != Prefix)
                part = Suffix;
            continue;
        }
        if (part == Prefix && (isPlaceholder(c) || c == u'.' || c == u',')) {
            part = Integer;
        }
        if (part == Integer) {
            if (c == u'0') {
                seenZero = true;
                ++s.minIntegerDigits;
                continue;
            }
            if (c == u'#') {
                if (seenZero)
                    ++s.minIntegerDigits;
                continue;
            }
            if (c == u',') {
                s.thousands = true;
                continue;
            }
            if (c == u'.') {
                part = Fraction;
                continue;
            }
            part = Suffix;
        } else if (part == Fraction) {
            if (c == u'0') {
                ++s.requiredDecimals;
                s.requiredDecimals += s.optionalDecimals; // a '0' after '#' makes them required
                s.optionalDecimals = 0;
                continue;
            }
            if (c == u'#') {
                ++s.optionalDecimals;
                continue;
            }
            part = Suffix;
        }
        (part == Prefix ? s.prefix : s.suffix).append(c);
    }
    return s;
}

QString groupThousands(const QString &digits)
{
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.append(kThousandsSeparator);
        out.append(digits.at(i));
    }
    return out;
}

QString render(const Section &s, double magnitude, bool &isZero)
{
    QString integerDigits;
    QString fractionDigits;
    roundDecimal(toDecimal(magnitude), s.requiredDecimals + s.optionalDecimals, integerDigits,
                 fractionDigits);
    // A plain scan: this runs for every printed number, too often to compile a pattern each time.
    isZero = integerDigits == u"0" &&
             std::none_of(fractionDigits.cbegin(), fractionDigits.cend(), [](QChar c) { return c >= u'1' && c <= u'9'; });
    while (fractionDigits.size() > s.requiredDecimals && fractionDigits.endsWith(u'0'))
        fractionDigits.chop(1);
    if (integerDigits == u"0")
        integerDigits.clear();
    while (integerDigits.size() < s.minIntegerDigits)
        integerDigits.prepend(u'0');
    QString number = s.thousands ? groupThousands(integerDigits) : integerDigits;
    if (!fractionDigits.isEmpty())
        number += kDecimalSeparator + fractionDigits;
    return s.prefix + number + s.suffix;
}

} // namespace

std::optional<double> parseNumber(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([+-])?([1-9]\\d{0,2}(?:\\.\\d{3})+|\\d*)(?:,(\\d*))?$"));
    const QString t = text.trimmed();
    const QRegularExpressionMatch m = pattern.match(t);
    if (!m.hasMatch())
        return std::nullopt;
    QString integerPart = m.captured(2);
    const QString fraction = m.captured(3);
    if (integerPart.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    integerPart.remove(kThousandsSeparator);
    const QString plain = (integerPart.isEmpty() ? QStringLiteral("0") : integerPart) +
                          (fraction.isEmpty() ? QString() : u'.' + fraction);
    bool ok = false;
    double value = plain.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return m.captured(1) == u"-" ? -value : value;
}

std::optional<qint64> parseInteger(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([+-])?([1-9]\\d{0,2}(?:\\.\\d{3})+|\\d+)$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    QString digits = m.captured(2);
    digits.remove(kThousandsSeparator);
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return m.captured(1) == u"-" ? -value : value;
}

QString invalidNumberMessage(const QString &text)
{
    return QStringLiteral("\"%1\" não é um número válido.\rUse a vírgula para os decimais (0,05) "
                          "e o ponto só para os milhares (1.500,00).")
        .arg(text.trimmed());
}

int maskDecimals(const QString &mask)
{
    const Section s = parseSection(splitSections(mask).at(0));
    return s.requiredDecimals + s.optionalDecimals;
}

QString formatNumber(double value, const QString &mask)
{
    if (!std::isfinite(value))
        return QString();
    const QStringList sections = splitSections(mask);
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);

    const Section positive = parseSection(sections.at(0));
    bool isZero = false;
    QString text;
    if (negative && sections.size() >= 2 && !sections.at(1).isEmpty()) {
        text = render(parseSection(sections.at(1)), magnitude, isZero);
        if (isZero)
            text = render(positive, 0.0, isZero); // rounds to zero: no negative look
    } else {
        text = render(positive, magnitude, isZero);
        if (negative && !isZero)
            text.prepend(u'-');
    }
    if (isZero && sections.size() >= 3 && !sections.at(2).isEmpty())
        text = render(parseSection(sections.at(2)), 0.0, isZero);
    return text;
}

QString formatPlain(double value)
{
    if (!std::isfinite(value))
        return QString();
    QString text = QString::number(value, 'g', 15);
    if (text.contains(u'e')) // very large or small: show as fixed
        text = QString::number(value, 'f', 2);
    text.replace(u'.', kDecimalSeparator);
    return text;
}

QString formatMoney(double value)
{
    return formatNumber(value, QStringLiteral("###,##0.00"));
}

QString formatDate(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString formatDateTime(const QDateTime &dateTime)
{
    return dateTime.isValid() ? dateTime.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"))
                              : QString();
}

std::optional<QDate> parseDate(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{2}|\\d{4})$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year += today().year() / 100 * 100;
    const QDate date(year, m.captured(2).toInt(), m.captured(1).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString monthName(int month, LetterCase letterCase)
{
    static const char16_t *const names[] = {u"janeiro", u"fevereiro", u"março",    u"abril",
                                            u"maio",    u"junho",     u"julho",    u"agosto",
                                            u"setembro", u"outubro",  u"novembro", u"dezembro"};
    if (month < 1 || month > 12)
        return QString();
    QString name = QString::fromUtf16(names[month - 1]);
    switch (letterCase) {
    case LetterCase::Lower:
        return name;
    case LetterCase::Capitalised:
        name[0] = name.at(0).toUpper();
        return name;
    case LetterCase::Upper:
        return name.toUpper();
    }
    return name;
}

QString longDate(const QDate &date, LetterCase monthCase)
{
    if (!date.isValid())
        return QString();
    return QStringLiteral("%1 de %2 de %3")
        .arg(date.day(), 2, 10, QChar(u'0'))
        .arg(monthName(date.month(), monthCase))
        .arg(date.year());
}

QString trimmed(const QString &text)
{
    return text.trimmed();
}

} // namespace core
