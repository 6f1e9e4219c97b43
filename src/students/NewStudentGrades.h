#pragma once

#include <QVariant>

namespace data {
class Database;
}

// The grade rows a newly saved student needs: one row per subject of the class's grade in NOTAS
// and in each unit table ("Adcionar as Disciplinas Ausentes" of the grade tables' repair).
namespace students {

enum class GradeRowsOutcome
{
    Generated,    // the rows are there
    Failed,       // the repair ran and failed
};

// The repair's first mode for the student; a grade without subjects makes no rows and is no
// failure.
GradeRowsOutcome addMissingGradeRows(const data::Database &db, const QVariant &matricula);

// What the register shows for an outcome (through the dialog service); nothing for a success
// whose grade has no subjects.
void reportGradeRows(GradeRowsOutcome outcome, bool gradeHasSubjects);

} // namespace students
