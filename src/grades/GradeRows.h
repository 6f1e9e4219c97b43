#pragma once

#include "core/RunReporter.h"

#include <QString>
#include <QVariant>

namespace data {
class Database;
} // namespace data

// "Gerar Tabela de Notas": one year row and four unit rows for every active student and every
// subject of the student's grade. Rows that exist already are left as they are, marks and all.
namespace grades {

inline constexpr const char *kReplaceGradeRowsQuestion =
    "Este procedimento irá apagar todos os registros\nda tabela de Notas de Alunos e os recriará em seguida.\n"
    "Se houver dados de notas, estes serão perdidos.\nDesejar continuar?";
inline constexpr const char *kNoGradeSubjectsMessage =
    "Não há informação suficiente para completar a geração de Notas. Verifique se já foram definidas as "
    "DISCIPLINAS de cada Turma.";
inline constexpr const char *kGenerationFailedMessage = "Erro na operação. Não pode continuar";

// The (student, subject) pairs a generation walks: active students (situation empty or other
// than "D" and "T") of existing classes, with the subjects of their grade.
int gradeRowsToCreate(const data::Database &db);

// One grade row: a student's subject in a class.
struct GradeRow
{
    double matricula = 0;
    QString disc;
    QString turma;
    QString nome;
    QVariant esp;
};

// Inserts the row in the year table (`table` 0) or in unit table `table` (1..4); throws
// data::StoreError when it is there already.
void insertGradeRow(const data::Database &db, int table, const GradeRow &row);

// Creates the missing grade rows; with `replace` the five grade tables are emptied first. One
// run: a failure or a stop leaves the tables as they were, the emptying included.
core::RunOutcome generateGradeRows(const data::Database &db, bool replace, core::RunReporter &reporter);

} // namespace grades
