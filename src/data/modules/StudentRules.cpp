#include "data/modules/StudentRules.h"

#include "core/Dialogs.h"
#include "data/modules/StatementText.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Dataset.h"
#include "data/store/Transaction.h"

namespace data {

namespace {

Database mainDatabase()
{
    return Database::named(QString::fromLatin1(kMainDatabaseName));
}

const QString kExecuteError = QStringLiteral("Erro ao executar: ");

QString gradeUpdate(const QString &table, bool withRollNumber)
{
    return QStringLiteral("update %1 set nome = :nome, %2Turma = :turma, SIT = :sit where matricula = :matricula")
        .arg(table, withRollNumber ? QStringLiteral("Esp = :esp, ") : QString());
}

const QString kChargeUpdate = QStringLiteral(
    "update CCorrent set nome = :nome, Turma = :turma, Status = :status where matricula = :matricula");

} // namespace

StudentRules::StudentRules(Dataset &alunos, std::function<void(int)> countChanged)
    : m_alunos(alunos), m_countChanged(std::move(countChanged))
{
    DatasetEvents &e = alunos.events;
    e.onNewRecord = [this](Dataset &d) { onNewRecord(d); };
    e.beforeEdit = [this](Dataset &d) { beforeEdit(d); };
    e.beforePost = [this](Dataset &d) { beforePost(d); };
    e.afterPost = [this](Dataset &d) { afterPost(d); };
    e.beforeDelete = [this](Dataset &d) { beforeDelete(d); };
    e.afterDelete = [this](Dataset &d) { afterDelete(d); };
    e.onDeleteError = [this](Dataset &, const StoreError &, ErrorAction &) { m_deletion.reset(); };
}

StudentRules::~StudentRules() = default;

void StudentRules::onNewRecord(Dataset &alunos)
{
    // A new student counts as renamed and moved: the roll number is settled after the post.
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

bool StudentRules::run(const QString &sql, const SqlParams &params, const QString &messagePrefix,
                       bool quiet)
{
    try {
        mainDatabase().exec(sql, params);
        return true;
    } catch (const std::exception &) {
        if (!quiet)
            core::showError(messagePrefix + kExecuteError + statementText(sql, params));
        return false;
    }
}

SqlParams StudentRules::carriedValues(const Dataset &alunos) const
{
    return {{QStringLiteral("nome"), alunos.value("NOME")},
            {QStringLiteral("turma"), alunos.value("TURMA")},
            {QStringLiteral("sit"), alunos.value("SIT")},
            {QStringLiteral("matricula"), alunos.value("MATRICULA")}};
}

void StudentRules::carryIntoCharges(const Dataset &alunos, const QString &messagePrefix, bool quiet)
{
    SqlParams params = carriedValues(alunos);
    // The charge row's status is one character wide.
    const QString sit = alunos.asText("SIT");
    params.insert(QStringLiteral("status"), sit.isEmpty() ? QVariant() : QVariant(sit.left(1)));
    params.remove(QStringLiteral("sit"));
    run(kChargeUpdate, params, messagePrefix, quiet);
}

void StudentRules::beforePost(Dataset &alunos)
{
    carryIntoCharges(alunos, QString(), true);
    const SqlParams params = carriedValues(alunos);
    run(gradeUpdate(QStringLiteral("notas"), false), params, QString());
    for (int unit = 1; unit <= 4; ++unit)
        run(gradeUpdate(QStringLiteral("notasuni%1").arg(unit), false), params,
            QStringLiteral("tblAlunosBeforePost\r"));
}

int StudentRules::nextRollNumber(const Dataset &alunos)
{
    const QString sql = QStringLiteral(
        "select max(esp) from alunos where (turma = :turma) and (matricula <> :matricula)");
    const SqlParams params{{QStringLiteral("turma"), alunos.value("TURMA")},
                           {QStringLiteral("matricula"), alunos.value("MATRICULA")}};
    try {
        return int(mainDatabase().scalar(sql, params).toLongLong()) + 1;
    } catch (const std::exception &) {
        core::showError(QStringLiteral("tblAlunosAfterPost(2)\r") + kExecuteError + statementText(sql, params));
        return 1;
    }
}

void StudentRules::afterPost(Dataset &alunos)
{
    const bool wasNew = m_newRecord;
    m_newRecord = false;
    const QString name = alunos.asText("NOME");
    const QString schoolClass = alunos.asText("TURMA");
    if (!wasNew && name == m_oldName && schoolClass == m_oldClass)
        return;

    carryIntoCharges(alunos, QStringLiteral("tblAlunosAfterPost(1)\r"), false);

    const QVariant oldRollNumber = alunos.value("ESP");
    const bool moved = wasNew || schoolClass != m_oldClass;
    const QVariant rollNumber = moved ? QVariant(nextRollNumber(alunos)) : oldRollNumber;
    m_oldName = name;
    m_oldClass = schoolClass;

    const SqlParams key{{QStringLiteral("esp"), rollNumber},
                        {QStringLiteral("matricula"), alunos.value("MATRICULA")}};
    run(QStringLiteral("update alunos set Esp = :esp where matricula = :matricula"), key,
        QStringLiteral("tblAlunosAfterPost(3)\r"));

    SqlParams params = carriedValues(alunos);
    params.insert(QStringLiteral("esp"), rollNumber);
    run(gradeUpdate(QStringLiteral("notas"), true), params, QStringLiteral("tblAlunosAfterPost(4)\r"));
    for (int unit = 1; unit <= 4; ++unit)
        run(gradeUpdate(QStringLiteral("notasuni%1").arg(unit), true), params,
            QStringLiteral("tblAlunosAfterPost(5)\r"));

    // The roll number was written behind the dataset's back: show it.
    if (rollNumber.isNull() != oldRollNumber.isNull() || rollNumber.toLongLong() != oldRollNumber.toLongLong())
        alunos.refresh();
}

void StudentRules::beforeDelete(Dataset &alunos)
{
    m_deletion.reset();
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
    const Database db = mainDatabase();
    m_deletion = std::make_unique<Savepoint>(db);
    if (number.isNull())
        return;
    const SqlParams params{{QStringLiteral("matricula"), number}};
    try {
        for (const char *table : {"notas", "notasuni1", "notasuni2", "notasuni3", "notasuni4", "ccorrent"})
            db.exec(QStringLiteral("delete from %1 where matricula = :matricula").arg(QLatin1String(table)), params);
    } catch (const std::exception &) {
        m_deletion.reset();
        core::showError(QStringLiteral("Erro ao tentar excluir registros dependentes\rem Notas e Pagamentos!\r"
                                 "tblAlunosBeforeDelete"));
        throw Abort();
    }
}

void StudentRules::afterDelete(Dataset &alunos)
{
    if (m_deletion) {
        m_deletion->release();
        m_deletion.reset();
    }
    if (m_countChanged)
        m_countChanged(alunos.recordCount());
    core::inform(QStringLiteral("Registro excluído com sucesso!"));
}

} // namespace data
