#pragma once

#include "core/RunReporter.h"

namespace data {
class Database;
} // namespace data

// "Criar Nº de Ordem para Alunos na Turma": every active student numbered by name inside the
// class, from 1, in the register and on every grade row of the student.
namespace grades {

inline constexpr const char *kRollNumbersExplanation =
    "Use este módulo para gerar nº de ordem para os alunos. A ordenação se dará por Nome do aluno dentro da "
    "Turma. Observe que só deverá ser feito uma única vez no início do período letivo para, inclusive, auxiliar "
    "no preenchimento da caderneta do professor.";

// One run: a student whose number cannot be saved is shown and skipped (with the rows of the
// student), the others are numbered; a stop leaves every number as it was.
core::RunOutcome createRollNumbers(const data::Database &db, core::RunReporter &reporter);

} // namespace grades
