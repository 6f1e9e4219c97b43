#pragma once

#include "core/Dialogs.h"
#include "core/RunReporter.h"
#include "data/store/Dataset.h"
#include "students/import/Promotion.h"

#include <QString>
#include <memory>

namespace data {
class Database;
}

// "Importar Cadastro de Alunos": the register of the new school year is replaced by the rows of
// another student table (last year's, or a dBase file with the register's field order), copied
// field by field by position; optionally every student moves up a class and the new year's
// charges, grades and financial movement are emptied.
//
// The register is emptied and refilled, and the new year's tables emptied after it, in one run
// (one transaction): until the last table is cleared nothing is visible to anyone else, and a
// failure, a cancel or a crash on the way leaves the year as it was. The run's closing lines are
// shown once the transaction is over.
namespace students {

struct ImportChoices
{
    // "Atualizar as turma para uma série adiante (ex: 1G1AM -> 1G2AM)"; false: "Não atualizar
    // as turmas" (rows copied unchanged, the other tables left alone).
    bool promote = true;
    PromotionRules rules;
};

// The tables an import must have to itself: student, grade, class, subject, subject-per-grade.
// True when one of them is open in this program or on another workstation.
bool structureInUse(const data::Database &db);

// "Esta operação não pode ser realizada ..." (error) and the question asked before the dialog
// opens (Yes/No, No preselected).
core::Message importRefusal();
core::Message importQuestion();
// A source file that cannot be opened as a table ("Erro na Importação").
core::Message sourceRefusal();
// The register of this very year, picked as its own source (its folder, or its server year).
bool isOwnRegister(const data::Database &db, const QString &path);
core::Message ownRegisterRefusal();

// The source of an import, open: a dBase file, another school year's folder or its database
// file, a table file in such a folder, or the address of another school year on a server. Throws data::StoreError when it cannot be read as a
// table, and for the register of `db` itself.
std::unique_ptr<data::Dataset> openImportSource(const data::Database &db, const QString &path);

// Runs the import into the register of `db` from `source` (an open dataset), telling
// `reporter` its progress ("Lendo: i de n", with "Cancelar") and every message in order. The
// register is writable only with the session's `Alunos` right; a register that cannot be had
// (in use elsewhere, no right) fails the run with "Erro ao tentar apagar registros em
// ALUNOS.DB." and nothing changes.
core::RunOutcome importStudents(const data::Database &db, data::Dataset &source, const ImportChoices &choices,
                                core::RunReporter &reporter);

} // namespace students
