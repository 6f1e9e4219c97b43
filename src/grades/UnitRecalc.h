#pragma once

#include "core/RunReporter.h"

namespace data {
class Database;
} // namespace data

// "Recalcular Médias das Unidades": every row of one unit table saved again, so its stored
// averages follow the marks (after an import, or a change of the school's rules), then the
// year recalculation.
namespace grades {

// Removes grade rows without a student or a subject, re-saves every row of `unit` (1..4) by the
// unit-row save rule, then recalculates the year; all in one run. A row that cannot be saved
// is skipped.
core::RunOutcome recalculateUnit(const data::Database &db, int unit, core::RunReporter &reporter);

} // namespace grades
