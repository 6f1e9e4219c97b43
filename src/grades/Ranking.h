#pragma once

#include "core/RunReporter.h"

#include <QString>

namespace data {
class Database;
} // namespace data

// "Calcular Colocação do Aluno": the ranking table `posicao` rebuilt from the year table, one row
// per student with its points per unit and for the year, and its place in its class by each.
namespace grades {

// Whether a unit or year average enters a student's points: absence codes (above 10, below 90)
// and the exemption (90) are left out.
bool countsForRanking(double value);

// Points as stored: minus the average, to one decimal, so ascending order puts the best first;
// 0 without any counted average.
double rankingPoints(double sum, int count);

// Rebuilds `posicao`: every student with grade rows, whatever the situation. Ends at once, with
// its message, when another workstation has the table open.
core::RunOutcome rankStudents(const data::Database &db, core::RunReporter &reporter);

} // namespace grades
