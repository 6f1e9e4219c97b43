#pragma once

#include "reports/engine/Document.h"
#include "reports/SchoolHeader.h"
#include "reports/sheets/ResultRows.h"

#include "data/store/Database.h"

// The two year analyses of "Resultados após Avaliação" on the drawn grid of the grade sheets:
// one line per student, one cell per subject of the grade in code order.
namespace reports {

enum class Analysis { YearPoints, MinimumMark };

// The class and subject of `selection` narrow the rows. Throws StoreError.
Document analysisSheet(const data::Database &db, const SchoolInfo &school, const ResultSelection &selection,
                       Analysis analysis);

} // namespace reports
