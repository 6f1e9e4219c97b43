#pragma once

#include "reports/sheets/AtaCells.h"

#include <QString>

// The cells of the two year analyses of "Resultados após Avaliação": the points a student has
// gathered in a subject over the assessed units, and the final-examination mark still needed.
namespace reports {

struct AnalysisMarks
{
    AtaMarks marks;   // Uni_Media and Ger_Media
    int units = 4;    // Unid_Aval: the units assessed so far, 1 to 4
    int examWeight1 = 1; // Peso_1: the year average's weight in the final average
    int examWeight2 = 1; // Peso_2: the final examination's weight
};

// `points` is the sum of the assessed units' marks, `kind` the subject's kind ("C" concept).
AtaCell pointsCell(double points, const QString &kind, const AnalysisMarks &marks);

// Empty when the average of the assessed units already reaches the unit pass mark; "---" when no
// examination mark can bring the final average to the year pass mark.
AtaCell minimumMarkCell(double points, const AnalysisMarks &marks);

} // namespace reports
