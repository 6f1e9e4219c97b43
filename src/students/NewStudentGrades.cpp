#include "students/NewStudentGrades.h"

#include "core/Dialogs.h"
#include "data/store/StoreError.h"
#include "grades/GradeRepair.h"

namespace students {

GradeRowsOutcome addMissingGradeRows(const data::Database &db, const QVariant &matricula)
{
    try {
        const grades::RepairResult result = grades::repairGradeRows(db, matricula.toDouble(), grades::RepairMode::AddMissing);
        return result.stopped && !result.noSubjects ? GradeRowsOutcome::Failed : GradeRowsOutcome::Generated;
    } catch (const data::StoreError &) {
        return GradeRowsOutcome::Failed;
    }
}

void reportGradeRows(GradeRowsOutcome outcome, bool gradeHasSubjects)
{
    switch (outcome) {
    case GradeRowsOutcome::Generated:
        if (gradeHasSubjects)
            core::inform(QStringLiteral("Tabela de Notas gerada com sucesso!"));
        return;
    case GradeRowsOutcome::Failed:
        core::showError(QStringLiteral("Erro na operação para gerar registros de Notas."), QStringLiteral("Erro"));
        return;
    }
}

} // namespace students
