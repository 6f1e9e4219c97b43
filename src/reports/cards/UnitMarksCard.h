#pragma once

#include "reports/ReportRegistry.h"
#include "reports/SchoolHeader.h"
#include "reports/cards/CardRows.h"
#include "reports/engine/Document.h"

#include <optional>

// "Boletim com Todas as Notas da Unidade": one page per student with every partial mark of one
// unit, read from that unit's table (NotasUni1..4), consolidated subjects left out.
namespace reports {

struct UnitCardRequest
{
    QString classCode;              // one class...
    std::optional<qint64> student;  // ...or one student
    int unit = 1;                   // 1..4
};

// "Esta versão não permite processar\reste relatório para todas as turmas\rde uma única vez!
// Tente outra opção.": neither a class nor a student was chosen.
QString unitCardRefusal();

// The statement over the unit's table for the chosen class or student; active students only.
CardStatement unitCardStatement(const UnitCardRequest &request);

// Throws ReportParamError (the refusal) without a class or a student, StoreError when the
// rows cannot be read. The title reads "BOLETIM COM TODAS AS NOTAS(" + unit word + " " + n + ")".
Document unitMarksCard(const data::Database &db, const SchoolInfo &school, const UnitCardRequest &request);

// "boletim-unidade": class, student and unit, as the command line and the dialog ask them.
ReportEntry unitMarksCardEntry();

} // namespace reports
