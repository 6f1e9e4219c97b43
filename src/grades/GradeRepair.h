#pragma once

#include <QString>
#include <QStringList>

namespace data {
class Database;
} // namespace data

// "Corrigir Tabelas de Notas": the grade rows of one student made to match the subjects of the
// student's grade, either by adding the missing ones or by deleting them all and starting over
// (after a move to a class of another grade). Every step is written to a log the window shows.
namespace grades {

enum class RepairMode
{
    AddMissing, // "Adcionar as Disciplinas Ausentes"
    Redo,       // "Apague Tudo e Refaça"
};

inline constexpr const char *kRepairExplanation =
    "Use esta rotina para corrigir as tabelas de Notas para os casos em que o sistema falhou ao gerar as "
    "disciplinas correspondentes à Turma deste Aluno";
inline constexpr const char *kRedoQuestion =
    "Você optou por apagar os registros já\nexistentes para este aluno. Isto deve\nser feito especialmente quando o "
    "aluno\nmuda para uma série diferente da atual\nde modo a refazer por completo as disciplinas\ncorerspondentes "
    "à nova Turma.\n\nAs notas deverão ser redigitadas. Continua?";

struct RepairResult
{
    QStringList log;    // the lines of "Status da Verificação", in order
    QStringList errors; // error boxes to show, in order (a failing statement, a stop)
    bool stopped = false; // the grade's subjects could not be read: nothing was changed
    bool noSubjects = false; // the stop was a grade without subjects
    int added = 0;        // rows inserted over the five tables
};

// Repairs the grade rows of student `matricula` in one transaction: a stop leaves every row as
// it was. Throws data::StoreError when the student is not in the register.
RepairResult repairGradeRows(const data::Database &db, double matricula, RepairMode mode);

} // namespace grades
