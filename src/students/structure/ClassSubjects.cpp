#include "students/structure/ClassSubjects.h"

#include "data/store/Dataset.h"

namespace students {

namespace {

// False when the row could not be written; the dataset is back in browse state then.
bool appendOne(data::Dataset &discTurma, const QString &line)
{
    try {
        if (!discTurma.append())
            return false;
        // Without a current class the grade stays empty: such a row belongs to no class.
        if (discTurma.isBlank("SERIE")) {
            discTurma.cancel();
            return false;
        }
        discTurma.setText("CODIGO", line.left(2));
        discTurma.setLogical("Consolidada", false);
        discTurma.setLogical("Imp_AtaFinal", true);
        discTurma.setInteger("PESO", 1);
        if (discTurma.post())
            return true;
    } catch (const data::StoreError &) {
    } catch (const data::Abort &) {
    }
    discTurma.cancel();
    return false;
}

} // namespace

QString gradeSubjectFailureMessage(const QString &line)
{
    return QStringLiteral("Disciplina ") + line + QStringLiteral(" não pode ser gravada.") + u'\r'
           + QStringLiteral("Verifique se ele já está cadastrada.");
}

GradeSubjectsSaved appendGradeSubjects(data::Dataset &discTurma, const QStringList &selectedLines)
{
    GradeSubjectsSaved saved;
    for (const QString &line : selectedLines) {
        if (!appendOne(discTurma, line)) {
            saved.failedLine = line;
            saved.message = gradeSubjectFailureMessage(line);
            break;
        }
        ++saved.appended;
    }
    return saved;
}

} // namespace students
