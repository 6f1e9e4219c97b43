#pragma once

#include "reports/ReportRegistry.h"
#include "reports/sheets/ResultRows.h"

// The printed outcome lists of "Resultados após Avaliação", on the grid of the general grade
// sheet: under the outcome's heading, a page per class, one line per student with the mark of
// every subject listed under that subject's column (the average, or the average after recovery
// for the recovery outcomes) and the result: "APROVADO" or "Recuperação" by the outcome, and
// after the final examination "PROG.PARCIAL" or "REPROVADO" by the student's failed subjects.
namespace reports {

// type (1..4), class, subject, unit (1..4, geral, final) and only-consolidated.
QList<ReportParam> resultParams();

ResultSelection resultSelection(const ReportValues &values);

// Throws StoreError when the rows cannot be read.
Document resultSheet(const data::Database &db, const SchoolInfo &school, const ResultSelection &selection);

// "resultados", menu "Resultados após Avaliação", asked again after each preview.
ReportEntry resultEntry();

} // namespace reports
