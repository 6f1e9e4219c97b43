#include "data/modules/StudentService.h"

#include "data/modules/RuleStatement.h"
#include "data/store/Dataset.h"
#include "data/store/Transaction.h"

namespace data {

namespace {

SqlParams carried(const StudentFacts &student)
{
    auto text = [](const QString &value) { return value.isEmpty() ? QVariant() : QVariant(value); };
    return {{QStringLiteral("nome"), text(student.name)},
            {QStringLiteral("turma"), text(student.schoolClass)},
            {QStringLiteral("sit"), text(student.situation)},
            {QStringLiteral("matricula"), student.matricula}};
}

void requireGradeTable(const QString &table)
{
    if (!studentGradeTables().contains(table.toLower()))
        throw StoreError(QStringLiteral("%1 não é uma tabela de notas.").arg(table));
}

} // namespace

StudentFacts StudentFacts::of(const Dataset &alunos)
{
    return {alunos.value("MATRICULA"), alunos.asText("NOME"), alunos.asText("TURMA"),
            alunos.asText("SIT"), alunos.value("ESP")};
}

const QStringList &studentGradeTables()
{
    static const QStringList tables{QStringLiteral("notas"), QStringLiteral("notasuni1"),
                                    QStringLiteral("notasuni2"), QStringLiteral("notasuni3"),
                                    QStringLiteral("notasuni4")};
    return tables;
}

StudentService::StudentService(Database db) : m_db(std::move(db)) {}

int StudentService::nextRollNumber(const QString &schoolClass,
                                   const QVariant &exceptMatricula) const
{
    // A student without a number is "another student" too: no row has a null MATRICULA equal
    // to it, so the comparison keeps every row.
    return nextNumber(
        m_db,
        QStringLiteral("select max(esp) from alunos where (turma = :turma) and "
                       "((matricula <> :matricula) or (:matricula is null))"),
        {{QStringLiteral("turma"), schoolClass}, {QStringLiteral("matricula"), exceptMatricula}});
}

void StudentService::carryIntoCharges(const StudentFacts &student) const
{
    SqlParams params = carried(student);
    // The charge row's status is one character wide.
    params.insert(QStringLiteral("status"),
                  student.situation.isEmpty() ? QVariant() : QVariant(student.situation.left(1)));
    params.remove(QStringLiteral("sit"));
    runRuleStatement(
        m_db,
        QStringLiteral("update CCorrent set nome = :nome, Turma = :turma, Status = :status "
                       "where matricula = :matricula"),
        params);
}

void StudentService::carryIntoGrades(const QString &table, const StudentFacts &student,
                                     bool withRollNumber) const
{
    requireGradeTable(table);
    SqlParams params = carried(student);
    if (withRollNumber)
        params.insert(QStringLiteral("esp"), student.rollNumber);
    runRuleStatement(
        m_db,
        QStringLiteral(
            "update %1 set nome = :nome, %2Turma = :turma, SIT = :sit where matricula = :matricula")
            .arg(table, withRollNumber ? QStringLiteral("Esp = :esp, ") : QString()),
        params);
}

void StudentService::setRollNumber(const QString &table, const QVariant &matricula,
                                   int rollNumber) const
{
    if (table.compare(QLatin1String("alunos"), Qt::CaseInsensitive) != 0)
        requireGradeTable(table);
    runRuleStatement(
        m_db, QStringLiteral("update %1 set Esp = :esp where matricula = :matricula").arg(table),
        {{QStringLiteral("esp"), rollNumber}, {QStringLiteral("matricula"), matricula}});
}

void StudentService::deleteDependents(const QVariant &matricula) const
{
    const SqlParams params{{QStringLiteral("matricula"), matricula}};
    for (const QString &table : studentGradeTables() + QStringList{QStringLiteral("ccorrent")})
        runRuleStatement(
            m_db, QStringLiteral("delete from %1 where matricula = :matricula").arg(table), params);
}

void StudentService::deleteStudent(const QVariant &matricula) const
{
    if (matricula.isNull())
        throw StoreError(QStringLiteral("Informe a matrícula do aluno a excluir."));
    Transaction write(m_db);
    deleteDependents(matricula);
    runRuleStatement(m_db, QStringLiteral("delete from alunos where matricula = :matricula"),
                     {{QStringLiteral("matricula"), matricula}});
    write.commit();
}

} // namespace data
