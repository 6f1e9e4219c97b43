#pragma once

#include "core/RunReporter.h"

#include <array>

namespace data {
class BulkRun;
class Database;
} // namespace data

// The year averages of every grade row, all classes at once: the weighted average of the units
// typed so far, the final exam, the final recovery, the total of absences and the result.
namespace grades {

struct YearRules
{
    int yearWeight = 1;                 // Peso_1
    int examWeight = 1;                 // Peso_2, of the final exam and of the final recovery
    std::array<int, 4> unitWeights{1, 1, 1, 1}; // PesoUND1..PesoUND4
    double unitPassMark = 7;            // Uni_Media: below it the final exam counts
    double yearPassMark = 6;            // Ger_Media
    int roundingMode = 0;               // Arredondamento

    static YearRules fromSettings();
};

// Inside a bulk run. A statement that fails is shown with its tag and the next step runs.
// A row missing one of the averaged unit averages gets no year average (and no result) until
// that average is typed: a missing mark is not a zero.
void recalculateYear(data::BulkRun &run, const YearRules &rules);

// As a run of its own.
core::RunOutcome recalculateYear(const data::Database &db, core::RunReporter &reporter);

} // namespace grades
