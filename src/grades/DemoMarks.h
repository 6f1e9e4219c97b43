#pragma once

#include "core/RunReporter.h"

#include <QtGlobal>

namespace data {
class Database;
} // namespace data

namespace grades {

// The demo school's marks: units 1 to 3 typed for every grade row (most students pass, some go
// to recovery, a few were absent, one is exempt), then the unit averages, the consolidated
// subjects, the year and the ranking calculated, so report cards have something to print.
// Grade rows must exist already; the same seed gives the same marks.
core::RunOutcome fillDemoMarks(const data::Database &db, core::RunReporter &reporter, quint32 seed);

} // namespace grades
