#pragma once

#include "grades/Averages.h"

#include <QString>
#include <optional>

namespace data {
class Database;
class Dataset;
class TDataModule1;
} // namespace data

// What saving a unit row writes: the stored unit averages and result on the row itself, and
// the unit's average, absences and result on the student's year row of the subject.
namespace grades {

// The grade row a unit row belongs to.
struct GradeKey
{
    double matricula = 0;
    QString disc;
    QString turma;
};

// The stored values of a saved unit row; all empty while no mark is typed.
struct UnitRowValues
{
    std::optional<double> media;
    std::optional<double> mdFinal;
    QString resultado;     // "Recuperação*" or "Na Média*"
    QString yearResultado; // "Recuperação" or "Aprovado", for the year row
};

UnitRowValues unitRowValues(const std::optional<UnitAverage> &average, double unitPassMark);

// Writes the unit's columns of the year row (UNDu, FLTu, RESULTADO); cleared when the unit
// row has no average. A missing year row changes nothing.
void writeYearRow(const data::Database &db, const GradeKey &key, int unit, const UnitRowValues &values,
                  const QVariant &faltas);

// Saving a unit row in a dataset: its stored averages and result, set before the row is
// written; then, once it is written, the year row follows it (so a refused write leaves the
// year row as it was).
void storeUnitAverages(data::Dataset &unitRow);
void carryToYearRow(const data::Dataset &unitRow, int unit, const data::Database &db);

// The averages in the academic data module: the calculated cMedia and cMediaFinal of the unit
// tables and of the year table, and the save rule above on every post of NotasUni1..4, whichever
// screen or script posts. Call once, before the tables open.
void installAverages(data::TDataModule1 &module);

} // namespace grades
