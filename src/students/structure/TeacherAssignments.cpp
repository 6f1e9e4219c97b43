#include "students/structure/TeacherAssignments.h"

#include "data/bulk/DatasetRows.h"
#include "data/store/Dataset.h"
#include "students/structure/StructureLists.h"

namespace students {

namespace {

const QStringList kExportedFields{QStringLiteral("MATRICULA"), QStringLiteral("NOME"), QStringLiteral("TURMA"),
                                  QStringLiteral("cDisciplina")};

bool appendAssignment(data::Dataset &discProf, const QString &teacherLine, const QString &subjectLine,
                      const QString &classLine)
{
    try {
        if (!discProf.append())
            return false;
        discProf.setText("MATRICULA", codeOfLine(teacherLine));
        discProf.setText("NOME", descriptionOfLine(teacherLine).left(42));
        discProf.setText("DISCPL_COD", codeOfLine(subjectLine));
        discProf.setText("TURMA", codeOfLine(classLine));
        if (discProf.post())
            return true;
    } catch (const data::StoreError &) {
    } catch (const data::Abort &) {
    }
    discProf.cancel();
    return false;
}

} // namespace

core::Message assignmentQuestion(const QString &teacherLine, const QString &subjectLine,
                                 const QString &classLine)
{
    core::Message question;
    question.text = teacherLine + u'\r' + QStringLiteral("leciona ") + subjectLine + u'\r'
                    + QStringLiteral("na Turma ") + classLine + u'?';
    question.caption = QStringLiteral("Confirme");
    question.icon = core::Icon::Question;
    question.buttons = core::Button::Yes | core::Button::No;
    return question;
}

int assignTeacher(data::Dataset &discProf, const QString &teacherLine, const QString &subjectLine,
                  const QStringList &classLines, core::Dialogs &dialogs)
{
    int written = 0;
    for (const QString &classLine : classLines) {
        if (dialogs.show(assignmentQuestion(teacherLine, subjectLine, classLine)) != core::Button::Yes)
            continue;
        if (appendAssignment(discProf, teacherLine, subjectLine, classLine))
            ++written;
    }
    return written;
}

bool deleteAssignment(data::Dataset &discProf, core::Dialogs &dialogs)
{
    if (!discProf.isOpen() || discProf.isEmpty())
        return false;
    core::Message question{QStringLiteral("Confirma exclusão do registro?"), QStringLiteral("Confirmação"),
                           core::Icon::Question, core::Button::Yes | core::Button::No};
    if (dialogs.show(question) != core::Button::Yes)
        return false;
    try {
        if (discProf.remove())
            return true;
    } catch (const data::StoreError &) {
    } catch (const data::Abort &) {
    }
    dialogs.show({QStringLiteral("Erro! o registro não pode ser apagado"), QStringLiteral("Erro"), core::Icon::Error,
                  core::Button::Ok});
    return false;
}

core::SemicolonTable assignmentsForExport(const data::Dataset &discProf)
{
    QList<int> columns;
    for (const QString &name : kExportedFields)
        columns += discProf.fieldIndex(name);
    core::SemicolonTable table = data::semicolonRows(discProf, columns);
    table.title = QStringLiteral("Relação de Professores x Turma x Disciplinas ");
    return table;
}

} // namespace students
