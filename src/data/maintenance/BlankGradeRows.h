#pragma once

namespace data {

class Database;

// Deletes the grade rows without a student or a subject from NOTAS and the four unit tables.
// A table that cannot be cleaned shows "Erro ao deletar registros em branco da tabela
// <file>" and the next one is cleaned. Returns the number of rows deleted.
int removeBlankGradeRows(const Database &db);

} // namespace data
