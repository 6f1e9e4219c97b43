#include "data/modules/StudentRules.h"

#include "core/Diagnostics.h"
#include "core/Dialogs.h"
#include "data/modules/RuleStatement.h"
#include "data/modules/StudentService.h"
#include "data/settings/Settings.h"
#include "data/store/Table.h"

#include <utility>

namespace data {

namespace {

const QString kExecuteError = QStringLiteral("Erro ao executar: ");

} // namespace

StudentRules::StudentRules(Table &alunos, std::function<void(int)> countChanged)
    : m_alunos(alunos), m_countChanged(std::move(countChanged))
{
    DatasetEvents &e = alunos.events;
    e.onNewRecord = [this](Dataset &d) { onNewRecord(d); };
    e.beforeEdit = [this](Dataset &d) { beforeEdit(d); };
    e.beforePost = [this](Dataset &d) { beforePost(d); };
    e.afterPost = [this](Dataset &d) { afterPost(d); };
    e.onPostError = [this](Dataset &, const StoreError &, ErrorAction &) { writeFailed(); };
    e.beforeDelete = [this](Dataset &d) { beforeDelete(d); };
    e.afterDelete = [this](Dataset &d) { afterDelete(d); };
    e.onDeleteError = [this](Dataset &, const StoreError &error, ErrorAction &action) {
        qCWarning(core::lcRules) << "ALUNOS: exclusão recusada:" << error.message();
        m_failures += QStringLiteral("Erro ao tentar excluir registros dependentes\rem Notas e Pagamentos!\r"
                                     "tblAlunosBeforeDelete");
        writeFailed();
        action = ErrorAction::Abort;
    };
}

StudentRules::~StudentRules() = default;

StudentService StudentRules::service() const
{
    return StudentService(m_alunos.database());
}

bool StudentRules::attempt(const QString &messagePrefix, const std::function<void()> &step)
{
    try {
        step();
        return true;
    } catch (const RuleStatementError &e) {
        qCWarning(core::lcRules) << e.statement() << "->" << e.message();
        m_failures += messagePrefix + kExecuteError + e.statement();
        return false;
    }
}

void StudentRules::showFailures()
{
    const QStringList failures = std::exchange(m_failures, {});
    for (const QString &text : failures)
        core::showError(text);
}

void StudentRules::writeFailed()
{
    m_write.rollback();
    showFailures();
}

void StudentRules::onNewRecord(Dataset &alunos)
{
    // A new student counts as renamed and moved: the roll number is settled by the post.
    m_newRecord = true;
    m_oldName.clear();
    m_oldClass.clear();
    alunos.setText("Vencimento", QString::number(settings().Data_Venc));
}

void StudentRules::beforeEdit(Dataset &alunos)
{
    m_newRecord = false;
    m_oldName = alunos.asText("NOME");
    m_oldClass = alunos.asText("TURMA");
}

void StudentRules::beforePost(Dataset &alunos)
{
    m_failures.clear();
    const StudentFacts student = StudentFacts::of(alunos);
    const bool moved = m_newRecord || student.schoolClass != m_oldClass;
    m_changed = moved || student.name != m_oldName;

    const StudentService students = service();
    m_write.begin(students.database());
    try {
        // The charges' copy is refreshed again after the post when it matters; a failure here
        // only goes to the log.
        try {
            students.carryIntoCharges(student);
        } catch (const RuleStatementError &e) {
            qCWarning(core::lcRules) << e.statement() << "->" << e.message();
        }
        for (const QString &table : studentGradeTables()) {
            const bool unit = table != studentGradeTables().first();
            attempt(unit ? QStringLiteral("tblAlunosBeforePost\r") : QString(),
                    [&] { students.carryIntoGrades(table, student); });
        }
        // The roll number is taken here, by the transaction that writes the row, so that two
        // workstations moving students into one class never give them the same number.
        if (moved) {
            int rollNumber = 1;
            attempt(QStringLiteral("tblAlunosAfterPost(2)\r"),
                    [&] { rollNumber = students.nextRollNumber(student.schoolClass, student.matricula); });
            alunos.setInteger("ESP", rollNumber);
        }
    } catch (...) {
        writeFailed();
        throw;
    }
}

void StudentRules::afterPost(Dataset &alunos)
{
    const StudentFacts student = StudentFacts::of(alunos);
    if (m_changed) {
        const StudentService students = service();
        attempt(QStringLiteral("tblAlunosAfterPost(1)\r"), [&] { students.carryIntoCharges(student); });
        for (const QString &table : studentGradeTables()) {
            const bool unit = table != studentGradeTables().first();
            attempt(unit ? QStringLiteral("tblAlunosAfterPost(5)\r") : QStringLiteral("tblAlunosAfterPost(4)\r"),
                    [&] { students.carryIntoGrades(table, student, true); });
        }
    }
    m_newRecord = false;
    m_changed = false;
    m_oldName = student.name;
    m_oldClass = student.schoolClass;
    try {
        m_write.commit();
    } catch (const StoreError &) {
        // Nothing of the post stayed: show the table as it is.
        writeFailed();
        alunos.refresh();
        throw;
    }
    showFailures();
}

void StudentRules::beforeDelete(Dataset &alunos)
{
    m_failures.clear();
    const QVariant number = alunos.value("MATRICULA");
    if (!number.isNull()) {
        core::Message question;
        question.text = QStringLiteral(
            "Você está prestes a excluir um registro\rcom conteúdo. Você deveria marcar seu "
            "status como \"D\" ou \"T\".\rDeseja continuar com a exclusão?");
        question.caption = QStringLiteral("Confirmação");
        question.icon = core::Icon::Question;
        question.buttons = core::Button::Yes | core::Button::No;
        if (core::dialogs().show(question) != core::Button::Yes) {
            core::showError(QStringLiteral("Exclusão cancelada!"));
            throw Abort();
        }
    }

    // The dependent rows go first, by statement; the student's own row is then removed by the
    // dataset, so exactly that row goes. All of it is undone if any part fails. A row without
    // a number has no dependents: nothing else is touched.
    const StudentService students = service();
    m_write.begin(students.database());
    if (number.isNull())
        return;
    try {
        students.deleteDependents(number);
    } catch (const StoreError &e) {
        qCWarning(core::lcRules) << "ALUNOS: exclusão dos dependentes recusada:" << e.message();
        m_failures += QStringLiteral("Erro ao tentar excluir registros dependentes\rem Notas e Pagamentos!\r"
                                     "tblAlunosBeforeDelete");
        writeFailed();
        throw Abort();
    }
}

void StudentRules::afterDelete(Dataset &alunos)
{
    try {
        m_write.commit();
    } catch (const StoreError &) {
        writeFailed();
        alunos.refresh();
        throw;
    }
    if (m_countChanged)
        m_countChanged(alunos.recordCount());
    core::inform(QStringLiteral("Registro excluído com sucesso!"));
}

} // namespace data
