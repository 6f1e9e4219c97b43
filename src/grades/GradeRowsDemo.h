#pragma once

#include "core/RunReporter.h"

namespace data {
class Database;
} // namespace data

namespace grades {

// The demo school's grade rows: every student's subjects, and two students of the last
// class who retake a subject of the grade below (isolated subjects, rows carrying the
// other class's code).
core::RunOutcome generateDemoGradeRows(const data::Database &db, core::RunReporter &reporter);

} // namespace grades
