#pragma once

namespace data {

class Dataset;
class Table;

// The subjects of a grade: Discturm shows the rows of the current class's grade (the class's
// first three characters), a new row takes that grade, and removing a subject from a grade
// may remove its year grade rows in every class of the grade, after a question.
void attachSubjectRules(Table &discTurma, Table &tabTurma);

} // namespace data
