#pragma once

#include "core/Dialogs.h"
#include "core/SemicolonExport.h"

#include <QString>
#include <QStringList>

namespace data {
class Dataset;
}

// Which teacher teaches which subject in which class (the "&Professores" tab): recording an
// assignment class by class after a question, deleting one, and the spreadsheet of all.
namespace students {

inline constexpr char kAssignmentsExportFile[] = "Professores_Turma_Disciplinas.csv";

// teacher line, "leciona " subject line, "na Turma " class line, "?" (Yes/No, title "Confirme").
core::Message assignmentQuestion(const QString &teacherLine, const QString &subjectLine,
                                 const QString &classLine);

// Asks once per class line, in order, and on Yes appends an assignment to `discProf`: the staff
// number and name from the teacher line (name at most 42 characters), the subject code and the
// class code from their lines. A row that cannot be saved (already recorded) is dropped without
// a word. Returns the number of rows written.
int assignTeacher(data::Dataset &discProf, const QString &teacherLine, const QString &subjectLine,
                  const QStringList &classLines, core::Dialogs &dialogs);

// "&Apagar": asks, then deletes the current assignment. False when nothing was deleted.
bool deleteAssignment(data::Dataset &discProf, core::Dialogs &dialogs);

// The assignments grid as the spreadsheet gets it: title, field names, one line per row.
core::SemicolonTable assignmentsForExport(const data::Dataset &discProf);

} // namespace students
