#include "core/Money.h"

#include "core/Formats.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace core {

qint64 roundToUnits(double value, int decimals)
{
    if (!std::isfinite(value) || value == 0.0)
        return 0;
    // Away from a half, the nearest whole unit is the answer whichever way the value is read;
    // only values next to a half need their decimal text (calculated fields round every amount
    // of every row read, so this keeps the common case cheap).
    static constexpr double kScale[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
    if (decimals >= 0 && decimals <= 6) {
        const double scaled = value * kScale[decimals];
        const double nearest = std::round(scaled);
        if (std::fabs(scaled) < 1e12 && std::fabs(scaled - nearest) < 0.499)
            return qint64(nearest);
    }
    // Fifteen significant digits are what a double holds reliably; round the decimal text, not
    // the binary value, so a half typed as a half rounds away from zero.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    char *e = std::strchr(buffer, 'e');
    const int exponent = std::atoi(e + 1); // value = d.ddd… x 10^exponent
    *e = '\0';
    char digits[32];
    int n = 0;
    for (const char *p = buffer; *p; ++p) {
        if (*p != '.')
            digits[n++] = *p;
    }
    // Digits before the rounding point: the integer digits plus `decimals`.
    const int keep = exponent + 1 + decimals;
    if (keep > 18)
        return qint64(std::llround(value * std::pow(10.0, decimals))); // beyond any amount here
    qint64 units = 0;
    for (int i = 0; i < keep && i < n; ++i)
        units = units * 10 + (digits[i] - '0');
    for (int i = n; i < keep; ++i)
        units *= 10;
    if (keep >= 0 && keep < n && digits[keep] >= '5')
        ++units;
    return value < 0 ? -units : units;
}

Money Money::fromDouble(double value)
{
    return Money(roundToUnits(value, 2));
}

std::optional<Money> Money::parse(const QString &text)
{
    const std::optional<double> value = parseNumber(text);
    if (!value)
        return std::nullopt;
    return fromDouble(*value);
}

QString Money::format() const
{
    return format(QStringLiteral("###,##0.00"));
}

QString Money::format(const QString &mask) const
{
    return formatNumber(toDouble(), mask);
}

Money Money::times(double factor) const
{
    return Money(roundToUnits(double(m_centavos) * factor, 0));
}

Money Money::percent(double percent) const
{
    return Money(roundToUnits(double(m_centavos) * percent / 100.0, 0));
}

} // namespace core
