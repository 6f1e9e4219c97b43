#include "data/modules/SubjectRules.h"

#include "core/Dialogs.h"
#include "data/modules/StatementText.h"
#include "data/settings/SettingsStore.h"
#include "data/store/SqlDialect.h"
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

void deleteGradeRows(const Dataset &discTurma)
{
    core::Message question;
    question.text = QStringLiteral(
        "À exclusão desta Disciplina seguirá a exclusão das Notas (se houver). Confirma?)");
    question.caption = QStringLiteral("Atenção: Exclusão de Notas");
    question.icon = core::Icon::Question;
    question.buttons = core::Button::Ok | core::Button::Cancel;
    if (core::dialogs().show(question) != core::Button::Ok)
        return;

    const Database db = Database::named(QString::fromLatin1(kMainDatabaseName));
    const QString sql = QStringLiteral("delete from notas where (%1 = :serie)\nand (notas.disc = :codigo)")
                            .arg(db.dialect().substring(QStringLiteral("notas.turma"), 1, 3));
    const SqlParams params{{QStringLiteral("serie"), discTurma.asText("SERIE")},
                           {QStringLiteral("codigo"), discTurma.asText("CODIGO")}};
    try {
        db.exec(sql, params);
    } catch (const std::exception &) {
        core::showError(QStringLiteral("tblDiscTurmaBeforeDelete\rAtenção: Não houve sucesso na exclusão das Notas!\r"
                                 "Insira esta Disciplina para a turma e repita o processo de exclusão.\r"
                                 "Erro ao executar: ")
                  + statementText(sql, params));
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
    discTurma.events.beforeDelete = [](Dataset &row) { deleteGradeRows(row); };
}

} // namespace data
