#pragma once

#include "reports/ReportRegistry.h"
#include "reports/SchoolHeader.h"
#include "reports/engine/Document.h"

#include "grades/Classification.h"

#include <QList>

// "Classificação de Desempenho": the students of a class ("Por Turma") or of a group of grades
// ("Por Série", "1º Grau Menor", "1º Grau Maior", "2º Grau") listed best first by one measure
// of the ranking, after the places are numbered again within the scope.
namespace reports {

// "CLASSIFICAÇÃO DE DESEMPENHO " for a class, one class per page; "CLASSIFICAÇÃO GERAL - " and
// the measure for a group. Each line: running number and ".", enrolment number, name, the
// average ("??" when there is none to show), the place and, in the group lists, the class.
// Writes the new places (Posicao). Throws StoreError.
Document classificationList(const data::Database &db, const SchoolInfo &school,
                            const grades::ClassificationRequest &request);

// "classificacao" for the command line (scope turma, serie, 1g-menor, 1g-maior or 2g) and one
// entry per menu command of "Classificação de Desempenho".
QList<ReportEntry> classificationReports();

} // namespace reports
