#pragma once

#include "reports/ReportRegistry.h"
#include "reports/sheets/ResultRows.h"

// The printed outcome lists of "Resultados após Avaliação": under the outcome's heading, one
// line per student and subject with the average and the average after recovery, class by class.
namespace reports {

// type (1..4), class, subject, unit (1..4, geral, final) and only-consolidated.
QList<ReportParam> resultParams();

ResultSelection resultSelection(const ReportValues &values);

// Throws StoreError when the rows cannot be read.
Document resultSheet(const data::Database &db, const SchoolInfo &school, const ResultSelection &selection);

// "resultados", menu "Resultados após Avaliação", asked again after each preview.
ReportEntry resultEntry();

} // namespace reports
