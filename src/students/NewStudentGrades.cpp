#include "students/NewStudentGrades.h"

#include "core/Dialogs.h"

namespace students {

GradeRowsOutcome addMissingGradeRows(const data::Database &, const QVariant &)
{
    return GradeRowsOutcome::NotAvailable;
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
    case GradeRowsOutcome::NotAvailable:
        core::warn(QStringLiteral("Os registros de Notas deste aluno ainda não foram gerados:\r"
                                  "a geração das tabelas de notas ainda não faz parte do programa."));
        return;
    }
}

} // namespace students
