#pragma once

#include <QString>
#include <QStringList>

namespace data {
class Dataset;
}

// "&Salvar" of the classes tab: the subjects picked in the catalogue list join the grade of
// the current class, and so every class of that grade.
namespace students {

struct GradeSubjectsSaved
{
    int appended = 0;
    QString failedLine; // the list line that could not be saved; empty when all were
    QString message;    // what to tell the user when the run stopped

    bool stopped() const { return !failedLine.isEmpty(); }
};

// Appends one row to `discTurma` (the subjects-of-a-grade dataset, following the current
// class) for each line, in order: the subject code is the line's first two characters, not
// consolidated, printed on the final minutes, weight 1. The first row that cannot be saved
// (already in the grade, no class chosen, no right to write) stops the run; rows appended
// before it stay.
GradeSubjectsSaved appendGradeSubjects(data::Dataset &discTurma, const QStringList &selectedLines);

QString gradeSubjectFailureMessage(const QString &line);

} // namespace students
