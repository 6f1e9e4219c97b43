#pragma once

#include "reports/ReportRegistry.h"
#include "reports/cards/CardOptions.h"

#include "core/RunReporter.h"

#include <QList>

// "Boletim Resumo (Médias das Unidades)": the report cards of the chosen classes or students,
// in the member of the family the photograph option and the school's number of units choose.
namespace reports {

// "Certifique-se de atualizar o arquivo\rde Classificação de Desempenho antes de imprimir\ros
// Boletins!" (a warning), then the class ranking, as its own command runs it, so that the
// positions the cards print are current. False when the ranking could not run.
bool refreshRankingForCards(const data::Database &db, core::RunReporter &reporter);

// Lays out the cards from the school year in `db`, with the school's settings read from it.
// Throws StoreError when the rows cannot be read.
Document reportCards(const data::Database &db, const SchoolInfo &school, const CardOptions &options);

// The registry's entries of the academic reports: "boletim" (menu "Boletim Resumo (Médias
// das Unidades)", asked again after each preview until "&Fechar"), "boletim-unidade"
// (UnitMarksCard.h), "boletim-geral" (TableBoundCard.h) and the classification lists
// (ClassificationLists.h).
QList<ReportEntry> academicReports();

} // namespace reports
