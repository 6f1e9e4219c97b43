#pragma once

#include <QVariant>
#include <array>
#include <optional>

namespace data {
class Dataset;
} // namespace data

// The averages of a unit row (its marks, bonus points and recovery) and the rules that turn
// them into the stored unit average and the one after recovery.
namespace grades {

// The marks of one unit row; an empty mark is not counted.
struct UnitMarks
{
    std::array<std::optional<double>, 5> marks;
    double bonus = 0;                // PONTOS1, added to the average of the marks
    std::optional<double> recovery;  // RECUP
    double recoveryBonus = 0;        // PONTOS2, added to a recovery that replaces the average
};

struct UnitAverage
{
    double average = 0;      // cMedia
    double afterRecovery = 0; // cMediaFinal
};

// How the school averages: the rounding mode (`Arredondamento`) and whether a better unit
// recovery replaces the average (`Recup_Media`).
struct AverageRules
{
    int roundingMode = 0;
    bool recoveryReplaces = false;

    static AverageRules fromSettings();
};

// The unit average and the one after recovery; nothing while no mark is typed.
std::optional<UnitAverage> unitAverage(const UnitMarks &marks, const AverageRules &rules);

// The marks of the current row of a unit table (NOTA1..NOTA5, PONTOS1, RECUP, PONTOS2).
UnitMarks unitMarksOf(const data::Dataset &unitRow);

// An optional average as a field value (null when empty).
QVariant fieldValue(const std::optional<double> &value);

} // namespace grades
