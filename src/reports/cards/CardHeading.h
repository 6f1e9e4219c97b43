#pragma once

#include "reports/MarkCell.h"
#include "reports/SchoolHeader.h"
#include "reports/engine/Report.h"

#include <QVariant>

// The heading of the cards printed without a photograph: the school's heading at the left, the
// title at the right, then the class ("TURMA:" code and description), "Matrícula" and "Nome do
// Aluno" of the page's student (fields TURMA, turma_desc, MATRICULA, NOME).
namespace reports {

// Returns the height it takes.
Tenths addStudentHeading(Band &band, const SchoolInfo &school, const QString &title, Tenths width,
                         double titlePoints = 18);

// The subject's name at the left of a mark row (element "qrDisciplina"): "(Dep.)" for a subject
// of another class than `ownClassField` names, " **" for a consolidated one.
void addSubjectLabel(Band &detail, Tenths width, Tenths rowHeight, double points,
                     const QString &ownClassField);

// A mark cell's text, style and colour on the element about to print.
void printMarkCell(ElementLook &look, const MarkCell &cell);

// A stored number, or nothing for an empty or non-numeric value.
std::optional<double> numberOf(const QVariant &value);

// An enrolment number as printed: a whole number; empty when there is none.
QString enrolmentText(const QVariant &value);

} // namespace reports
