#pragma once

namespace data {
class Database;
}

// "Atualizar DIA e MÊS de Aniversário": the month (ORD) and day (TM) of every student's birth
// date, which the birthday filter and the birthday order read.
namespace students {

// Every student, whatever the filters of the screens: ORD and TM from DATANASC (emptied for a
// student without a birth date). Returns the number of students written; throws StoreError.
int updateBirthdayColumns(const data::Database &db);

// The command: asks first, then updates and says how many. -1 when the person said no or
// the update failed (with its message).
int runBirthdayCommand(const data::Database &db);

} // namespace students
