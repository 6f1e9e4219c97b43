#include "data/settings/Rounding.h"

#include "data/settings/Settings.h"

#include <QString>
#include <cmath>

namespace data {

namespace {

// The double nearest to hundredths / 100, as a typed decimal ("5,3") is held.
double decimal(int hundredths)
{
    return hundredths / 100.0;
}

double roundUpToHalf(double v)
{
    for (int n = 1; n <= 20; ++n) {
        if (decimal((n - 1) * 50) < v && v < decimal(n * 50))
            return decimal(n * 50);
    }
    return v;
}

double roundNearestHalf(double v)
{
    if (v < 0 || v > 10)
        return v;
    double result = v;
    // Ascending steps; where two ranges overlap the later step wins.
    for (int step = 0; step <= 20; ++step) {
        const int s = step * 50; // hundredths
        bool matches;
        if (step == 0)
            matches = 0 <= v && v < decimal(30);
        else if (step == 20)
            matches = decimal(975) < v && v <= 10;
        else
            matches = decimal(s - 25) < v && v < decimal(s + 30);
        if (matches)
            result = decimal(s);
    }
    return result;
}

} // namespace

double roundOneDecimal(double value)
{
    if (!std::isfinite(value))
        return value;
    // A value typed as 1,15 is held a hair below it; the nudge keeps it from losing a hundredth.
    const double scaled = value * 100;
    const long long hundredths =
        static_cast<long long>(std::trunc(scaled + std::copysign(1e-9, scaled)));
    long long tenths = hundredths / 10;
    const long long rest = hundredths % 10; // same sign as hundredths
    if (std::llabs(rest) > 5 || (std::llabs(rest) == 5 && tenths % 2 != 0))
        tenths += hundredths < 0 ? -1 : 1;
    return QString::number(tenths / 10.0, 'f', 1).toDouble();
}

double schoolRound(double value, int mode)
{
    switch (mode) {
    case RoundUpToHalf:
        return roundUpToHalf(value);
    case RoundNearestHalf:
        return roundNearestHalf(value);
    default:
        return value;
    }
}

double schoolRound(double value)
{
    return schoolRound(value, settings().Arredondamento);
}

} // namespace data
