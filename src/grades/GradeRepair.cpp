#include "grades/GradeRepair.h"

#include "data/store/Query.h"
#include "data/store/StoreError.h"
#include "data/store/Transaction.h"
#include "grades/GradeRows.h"

namespace grades {

namespace {

struct Student
{
    double matricula = 0;
    QString nome;
    QString turma;
    QVariant esp;
};

struct Subject
{
    QString code;
    QString description;
};

Student readStudent(const data::Database &db, double matricula)
{
    data::Query q(db);
    q.setSql(QStringLiteral("select MATRICULA, NOME, TURMA, ESP from ALUNOS where MATRICULA = :m"));
    q.bind(QStringLiteral("m"), matricula);
    q.open();
    if (q.isEmpty())
        throw data::StoreError(QStringLiteral("Aluno não encontrado: %1").arg(matricula, 0, 'f', 0));
    return {q.asFloat(0), q.asText(1), q.asText(2), q.value(3)};
}

// "Notas.db", "NotasUni1.db" ...: as the log names the tables.
QString logName(int unit)
{
    return unit == 0 ? QStringLiteral("Notas.db") : QStringLiteral("NotasUni%1.db").arg(unit);
}

QString sqlName(int unit)
{
    return unit == 0 ? QStringLiteral("notas") : QStringLiteral("notasuni%1").arg(unit);
}

class Repair
{
public:
    Repair(const data::Database &db, Student student) : m_db(db), m_student(std::move(student)) {}

    void deleteAll()
    {
        for (int unit = 0; unit <= 4; ++unit) {
            data::Savepoint savepoint(m_db);
            try {
                m_db.exec(QStringLiteral("delete from %1 where matricula = :m").arg(sqlName(unit)),
                          {{QStringLiteral("m"), m_student.matricula}});
                savepoint.release();
                m_result.log << QStringLiteral("-> Deletando registros de %1").arg(logName(unit));
            } catch (const data::StoreError &) {
                savepoint.rollback();
                m_result.log << QStringLiteral("** Erro quando deletando registros de %1").arg(logName(unit));
            }
        }
    }

    bool readSubjects()
    {
        const QString serie = m_student.turma.left(3);
        m_result.log << QStringLiteral("Verificando Tabela de Disciplinas para") << QStringLiteral("a Turma ") + serie;
        try {
            data::Query q(m_db);
            q.setSql(QStringLiteral("select discturm.serie, discturm.codigo, discpl.descricao from discturm, discpl where "
                                    "(discturm.codigo = discpl.codigo) and(discturm.serie = :serie) order by discturm.codigo"));
            q.bind(QStringLiteral("serie"), serie);
            q.open();
            for (q.first(); !q.eof(); q.next()) {
                m_subjects.append({q.asText(1), q.asText(2)});
                m_result.log << q.asText(1) + QStringLiteral(" - ") + q.asText(2);
            }
        } catch (const data::StoreError &) {
            stop(QStringLiteral("Não foi possível abrir tabela \"Disciplinas\".\nTalvez seja necessário reindexar suas "
                                "tabelas com o \nutilitário FixIT. Processo não pode continuar."));
            return false;
        }
        m_result.log << QStringLiteral("Total de Disciplinas na Turma: %1").arg(m_subjects.size());
        if (m_subjects.isEmpty()) {
            m_result.noSubjects = true;
            stop(QStringLiteral("Não foi possível montar a tabela \"Disciplinas\".\nA turma informada para o aluno não "
                                "existe na Tabela DISCTURM.DB.\nO Processo não pode continuar."));
            return false;
        }
        return true;
    }

    void checkTable(int unit)
    {
        m_result.log << (unit == 0 ? QStringLiteral("Verificando Disciplinas para este Aluno")
                                   : QStringLiteral("Verificando %1 para este Aluno").arg(logName(unit)));
        const QString upper = logName(unit).toUpper();
        int present = 0;
        try {
            present = m_db.scalar(QStringLiteral("select count(*) from %1 where matricula = :m").arg(sqlName(unit)),
                                  {{QStringLiteral("m"), m_student.matricula}})
                          .toInt();
        } catch (const data::StoreError &) {
            m_result.errors << QStringLiteral("Erro ao abrir tabela %1 para esta matricula.").arg(upper);
            return;
        }
        if (present >= m_subjects.size()) {
            m_result.log << QStringLiteral("Não será necessário criar entradas na tabela %1").arg(upper);
            return;
        }
        m_result.log << QStringLiteral("Será necessário criar %1 entradas na tabela %2").arg(m_subjects.size() - present).arg(upper);
        for (const Subject &subject : std::as_const(m_subjects))
            insert(unit, subject.code);
    }

    RepairResult result() const { return m_result; }

private:
    void stop(const QString &message)
    {
        m_result.errors << message;
        m_result.stopped = true;
    }

    void insert(int unit, const QString &code)
    {
        data::Savepoint savepoint(m_db);
        try {
            insertGradeRow(m_db, unit, {m_student.matricula, code, m_student.turma, m_student.nome, m_student.esp});
            savepoint.release();
            m_result.log << QStringLiteral("Adcionada: ") + code;
            ++m_result.added;
        } catch (const data::StoreError &) {
            savepoint.rollback();
            m_result.log << QStringLiteral("Erro ao adcionar: ") + code;
            // The year table's failing statement is shown, as it stands with its values.
            if (unit == 0)
                m_result.errors << QStringLiteral("insert into notas (matricula, disc, turma, nome, esp) values "
                                                  "( %1, '%2', '%3', '%4', %5 )")
                                       .arg(QString::number(m_student.matricula, 'f', 0), code, m_student.turma,
                                            m_student.nome, m_student.esp.toString());
        }
    }

    data::Database m_db;
    Student m_student;
    QList<Subject> m_subjects;
    RepairResult m_result;
};

} // namespace

RepairResult repairGradeRows(const data::Database &db, double matricula, RepairMode mode)
{
    data::Transaction transaction(db);
    Repair repair(db, readStudent(db, matricula));
    if (mode == RepairMode::Redo)
        repair.deleteAll();
    if (!repair.readSubjects())
        return repair.result(); // rolled back: the rows deleted above come back
    for (int unit = 0; unit <= 4; ++unit)
        repair.checkTable(unit);
    transaction.commit();
    return repair.result();
}

} // namespace grades
