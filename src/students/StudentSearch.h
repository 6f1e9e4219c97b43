#pragma once

#include <QString>

namespace data {
class Dataset;
}

// The register's "Localizar": a student by part of the name or of the enrolment number,
// regardless of case and accents ("joao" finds "JOÃO"), among the students in view.
namespace students {

// Lower case without accents, blanks collapsed: the form both sides are compared in.
QString searchKey(const QString &text);

// Position of the first student in view after `after` (-1: from the top) whose name contains
// the typed text, or whose number contains it when the text is all digits; the search wraps
// round to the top once. -1 when none matches or the text is blank.
int findStudent(const data::Dataset &alunos, const QString &typed, int after = -1);

} // namespace students
