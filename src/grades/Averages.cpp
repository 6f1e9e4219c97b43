#include "grades/Averages.h"

#include "data/settings/Rounding.h"
#include "data/settings/Settings.h"
#include "data/store/Dataset.h"

namespace grades {

AverageRules AverageRules::fromSettings()
{
    const data::Settings &s = data::settings();
    return {s.Arredondamento, s.Recup_Media};
}

std::optional<UnitAverage> unitAverage(const UnitMarks &marks, const AverageRules &rules)
{
    int count = 0;
    double sum = 0;
    for (const std::optional<double> &mark : marks.marks) {
        if (mark) {
            ++count;
            sum += *mark;
        }
    }
    if (count == 0)
        return std::nullopt;

    double m = data::roundOneDecimal(sum / count);
    // Averages above 10 are absence or exemption codes: no points, no cap.
    if (m <= 10)
        m = std::min(m + marks.bonus, 10.0);
    UnitAverage result;
    result.average = data::schoolRound(data::roundOneDecimal(m), rules.roundingMode);

    const double recovery = marks.recovery.value_or(0);
    // A recovery never lowers the unit average.
    double f = std::max((recovery + result.average) * 0.5, result.average);
    if (rules.recoveryReplaces && recovery > result.average)
        f = recovery + marks.recoveryBonus;
    result.afterRecovery = data::schoolRound(f, rules.roundingMode);
    return result;
}

UnitMarks unitMarksOf(const data::Dataset &unitRow)
{
    const auto optional = [&unitRow](const QString &field) -> std::optional<double> {
        if (unitRow.isBlank(field))
            return std::nullopt;
        return unitRow.asFloat(field);
    };
    UnitMarks marks;
    for (int n = 0; n < 5; ++n)
        marks.marks[std::size_t(n)] = optional(QStringLiteral("NOTA%1").arg(n + 1));
    marks.bonus = unitRow.asFloat("PONTOS1");
    marks.recovery = optional(QStringLiteral("RECUP"));
    marks.recoveryBonus = unitRow.asFloat("PONTOS2");
    return marks;
}

QVariant fieldValue(const std::optional<double> &value)
{
    return value ? QVariant(*value) : QVariant();
}

} // namespace grades
