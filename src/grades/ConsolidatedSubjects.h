#pragma once

#include "core/RunReporter.h"

#include <array>

namespace data {
class Database;
} // namespace data

// Consolidated subjects: a subject marked `Consolidada` in a grade's subject list takes its unit
// averages from the other subjects of the grade whose code begins with the same character,
// weighted by their PESO.
namespace grades {

// Which units already have marks typed ("1ª Unidade" .. "4ª Unidade").
using TypedUnits = std::array<bool, 4>;

// Fills the consolidated subjects' year rows up to the last typed unit (the final exam mark too
// when the fourth is typed), then recalculates the year; one run.
core::RunOutcome recalculateConsolidated(const data::Database &db, const TypedUnits &typed, core::RunReporter &reporter);

} // namespace grades
