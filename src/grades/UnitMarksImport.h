#pragma once

#include "core/RunReporter.h"

#include <QStringList>

namespace data {
class Database;
class Dataset;
} // namespace data

// "Importar Valores para tabela de Notas": the marks of one unit copied from another table
// (a dBase file, or another school year's unit table) onto the unit rows that exist here.
namespace grades {

inline constexpr const char *kImportQuestion =
    "Este procedimento irá apagar todos os registros\nda Tabela de Notas e os importará de outro arquivo.\n"
    "Desejar continuar?";
inline constexpr const char *kImportRefusal =
    "Esta operação não pode ser realizada\nse algum usuário estiver com outros módulos abertos.\n"
    "Feche os usuários, e tente novamente.";
inline constexpr const char *kImportOpenError =
    "Erro ao tentar abrir a tabela. Verifique se\neste é um arquivo válido ou se já não está sendo usado.";
inline constexpr const char *kImportLockError =
    "Erro ao tentar acessar registros em NOTAS.DB.\nVerifique se há outro usuário acessando esta Tabela.\n"
    "Não será possível continuar.";

// The fields of a source row that are copied, after its key (matricula, disc, turma).
QStringList importedFields();
// Key fields the source lacks; a source without them cannot be imported.
QStringList missingKeyFields(const data::Dataset &source);

// For every source row whose unit row exists (same student, subject, class and `unit`), copies
// the marks, the bonus points and the recovery it has and saves the row by the unit-row save rule, so
// its averages and the year row follow. Rows without a unit row are skipped. One run: the
// first row that cannot be saved stops it and leaves the table as it was.
core::RunOutcome importUnitMarks(const data::Database &db, data::Dataset &source, int unit,
                                 core::RunReporter &reporter);

} // namespace grades
