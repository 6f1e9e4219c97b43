#pragma once

namespace data {
class TDataModule1;
} // namespace data

namespace grades {

// The refusal of the grade runs: they rewrite the student, grade, class and subject tables' rows
// (and the ranking table, for the ranking), so none may be open in this program or on another
// workstation while they run.
bool gradeTablesInUse(data::TDataModule1 &module, bool withRanking);

inline constexpr const char *kTablesInUseMessage =
    "Esta operação não pode ser realizada\nse algum módulo estiver sendo usado.\nFeche-o, e tente novamente.";

} // namespace grades
