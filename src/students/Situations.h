#pragma once

#include <QString>
#include <QStringList>

namespace data {
class Dataset;
}

// The student's situation (SIT): the "..." picker and what leaving the box sets.
namespace students {

// "B - Bolsista (100%)", "D - Desistente", "I - Ignore para cobrança", "T - Transferido".
const QStringList &situationLines();

// An active student is neither dropped out ("D") nor transferred ("T").
bool isLeaver(const QString &sit);

// A picked line: its first character into SIT, the whole line into OBSSIT.
void pickSituation(data::Dataset &alunos, const QString &line);

// Leaving the situation box while editing: a non-empty code dates the situation today, and a
// full scholarship ("B") sets the discount to 100 %.
void situationLeft(data::Dataset &alunos);

} // namespace students
