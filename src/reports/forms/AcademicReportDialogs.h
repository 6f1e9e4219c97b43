#pragma once

// Gives the academic reports their own dialogs in place of the generic options dialog: the
// report cards' "Defina " and the "Defina a Turma  e a Disciplina" of "Resultados após
// Avaliação". Called once when the main window installs the report commands.
namespace reports {

void installAcademicReportDialogs();

} // namespace reports
