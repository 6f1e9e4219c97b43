#pragma once

#include "data/store/Database.h"

#include <QString>

namespace data {

// The rules of the subjects of a grade (Discturm) over one school year's database. A failing
// statement throws RuleStatementError (data/modules/RuleStatement.h), quoting the statement.
class SubjectService
{
public:
    explicit SubjectService(Database db);

    // Removes the year grade rows (NOTAS) of `subject` in every class of `grade` (the classes
    // whose first three characters are the grade); the unit rows stay. The number removed.
    int deleteYearGrades(const QString &grade, const QString &subject) const;

private:
    Database m_db;
};

} // namespace data
