#pragma once

#include <QString>

namespace data {
class Database;
}

// The special list: students marked in the grid (MARCADO), for instance to be called to the
// office. Messages go through the dialog service.
namespace students {

inline constexpr char kSpecialListFile[] = "Relacao_Especial.csv";

// "Limpar a seleção dos marcados": asks, then unmarks every student. False when the person
// said no or the statement failed (with its message).
bool clearMarks(const data::Database &db);

// "Exportar para Planilha": the marked students into Relacao_Especial.csv in `directory`
// (title line, field names, one line per student), then opened with the shell. Returns the
// number of students written, or -1 when the file could not be written (with its message).
int exportMarked(const data::Database &db, const QString &directory);

} // namespace students
