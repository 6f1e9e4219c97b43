#include "data/modules/SubjectRules.h"

#include "core/Diagnostics.h"
#include "core/Dialogs.h"
#include "data/modules/RuleStatement.h"
#include "data/modules/SubjectService.h"
#include "data/store/Table.h"

#include <memory>

namespace data {

namespace {

QString gradeOf(const Dataset &tabTurma)
{
    return tabTurma.asText("TURMA").left(3);
}

QString quoted(const QString &text)
{
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

bool hasCurrentRow(const Dataset &d)
{
    return d.isOpen() && !d.isEmpty();
}

void deleteGradeRows(const Table &discTurma)
{
    core::Message question;
    question.text = QStringLiteral(
        "À exclusão desta Disciplina seguirá a exclusão das Notas (se houver). Confirma?)");
    question.caption = QStringLiteral("Atenção: Exclusão de Notas");
    question.icon = core::Icon::Question;
    question.buttons = core::Button::Ok | core::Button::Cancel;
    if (core::dialogs().show(question) != core::Button::Ok)
        return;

    try {
        SubjectService(discTurma.database()).deleteYearGrades(discTurma.asText("SERIE"), discTurma.asText("CODIGO"));
    } catch (const RuleStatementError &e) {
        qCWarning(core::lcRules) << e.statement() << "->" << e.message();
        core::showError(QStringLiteral("tblDiscTurmaBeforeDelete\rAtenção: Não houve sucesso na exclusão das Notas!\r"
                                       "Insira esta Disciplina para a turma e repita o processo de exclusão.\r"
                                       "Erro ao executar: ")
                        + e.statement());
        return;
    }
    core::inform(QStringLiteral("Processo concluído com sucesso!"));
}

} // namespace

void attachSubjectRules(Table &discTurma, Table &tabTurma)
{
    // Follows the class cursor; the filter changes only when the grade does.
    auto shownGrade = std::make_shared<QString>();
    tabTurma.events.afterScroll = [&discTurma, shownGrade](Dataset &classes) {
        if (!hasCurrentRow(classes))
            return;
        const QString grade = gradeOf(classes);
        if (grade == *shownGrade && discTurma.isFiltered())
            return;
        *shownGrade = grade;
        discTurma.setFilter(QStringLiteral("Serie = ") + quoted(grade));
        discTurma.setFiltered(true);
    };

    discTurma.events.onNewRecord = [&tabTurma](Dataset &row) {
        if (!hasCurrentRow(tabTurma)) {
            core::Message message;
            message.text = QStringLiteral("Não foi possível incluir este item em [tblDiscTurma]!");
            message.caption = QStringLiteral("Erro");
            message.icon = core::Icon::Error;
            core::dialogs().show(message);
            return;
        }
        row.setText("SERIE", gradeOf(tabTurma));
    };

    // The Discturm row itself goes whatever the answer.
    discTurma.events.beforeDelete = [&discTurma](Dataset &) { deleteGradeRows(discTurma); };
}

} // namespace data
