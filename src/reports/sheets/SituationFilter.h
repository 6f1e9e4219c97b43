#pragma once

#include "data/store/Database.h"

#include <QString>
#include <QStringList>

// "Defina a Turma  e a Situação": which students a student list takes, by situation ("D" dropped
// out, "T" transferred, "B" scholarship holder...) and optionally by class.
namespace reports {

// In the order the dialog lists them.
enum class SituationChoice { Active, All, DroppedOut, Transferred, Discount, Scholarship, Equal };

// The dialog's entries, one per choice.
QStringList situationCaptions();

// A condition on the columns of ALUNOS, with the typed code and the class as parameters.
struct StudentFilter
{
    QString condition;
    data::SqlParams params;
};

// `typedCode` is read for SituationChoice::Equal only; an empty `classCode` takes every class.
StudentFilter studentFilter(SituationChoice choice, const QString &typedCode, const QString &classCode);

} // namespace reports
