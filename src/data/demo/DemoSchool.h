#pragma once

#include "core/RunReporter.h"

#include <QString>
#include <optional>

namespace data {
class Database;
}

// A living school for newcomers, demonstrations and tests: the school's identity, classes of
// every grade with their fees, the subject catalogue and the subjects of each grade (some
// consolidated), students with parents, responsible persons, valid CPFs, addresses and birth
// dates (a few in each situation B, D, I and T, some with discounts by percentage or amount,
// some marked), history rows with notes, photos, the staff and the teachers' assignments.
// The same seed and size always give the same school.
namespace data::demo {

struct DemoOptions
{
    int students = 300;
    quint32 seed = 1;
};

struct DemoSummary
{
    int classes = 0;
    int subjects = 0;
    int gradeSubjects = 0;
    int students = 0;
    int staff = 0;
    int assignments = 0;
    int photos = 0;
};

// Fills an empty school year (tables of the current layout) in one run, with progress by
// student, and writes the school's identity into its settings. Once the run has completed, the
// first student of each class gets a photo in the folder FOTOS beside the data folder. A store
// failure is noted and leaves nothing written: nullopt then. Throws StoreError for a year that is
// not four digits.
std::optional<DemoSummary> fillDemoSchool(const Database &db, const QString &schoolYear,
                                          core::RunReporter &reporter,
                                          const DemoOptions &options = {});

} // namespace data::demo
