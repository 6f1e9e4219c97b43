#pragma once

#include "grades/averages/GradeFixture.h"
#include "support/RecordingReporter.h"

#include <stdexcept>

// A small school: grade 1G1 (classes 1G1A, 1G1B) takes 01, 02 and 03; grade 2G1 (2G1A) takes
// 01 and 04. Students of every situation, and one of a class that does not exist.
class GradeRowsFixture : public GradeFixture
{
protected:
    void SetUp() override
    {
        GradeFixture::SetUp();
        for (const QString &turma : {QStringLiteral("1G1A"), QStringLiteral("1G1B"), QStringLiteral("2G1A")})
            exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO) values (:t, :d)"),
                 {{QStringLiteral("t"), turma}, {QStringLiteral("d"), QStringLiteral("TURMA ") + turma}});
        addSubject(QStringLiteral("1G1"), QStringLiteral("01"), QStringLiteral("PORTUGUÊS"));
        addSubject(QStringLiteral("1G1"), QStringLiteral("02"), QStringLiteral("MATEMÁTICA"));
        addSubject(QStringLiteral("1G1"), QStringLiteral("03"), QStringLiteral("HISTÓRIA"));
        addSubject(QStringLiteral("2G1"), QStringLiteral("01"), QStringLiteral("PORTUGUÊS"));
        addSubject(QStringLiteral("2G1"), QStringLiteral("04"), QStringLiteral("FÍSICA"));
        addStudent(1, QStringLiteral("CARLA"), QStringLiteral("1G1A"), 7, QStringLiteral(""));
        addStudent(2, QStringLiteral("ANA"), QStringLiteral("1G1A"), 8, QVariant());
        addStudent(3, QStringLiteral("BRUNO"), QStringLiteral("1G1A"), 9, QStringLiteral("D"));
        addStudent(4, QStringLiteral("DANI"), QStringLiteral("1G1A"), 10, QStringLiteral("T"));
        addStudent(5, QStringLiteral("ÉRICA"), QStringLiteral("1G1B"), 3, QStringLiteral("B"));
        addStudent(6, QStringLiteral("FÁBIO"), QStringLiteral("2G1A"), 4, QStringLiteral("I"));
        addStudent(7, QStringLiteral("GIL"), QStringLiteral("9X9A"), 1, QVariant());
    }

    void addSubject(const QString &serie, const QString &code, const QString &name) const
    {
        exec(QStringLiteral("insert into DISCPL (CODIGO, DESCRICAO) values (:c, :d) on conflict do nothing"),
             {{QStringLiteral("c"), code}, {QStringLiteral("d"), name}});
        exec(QStringLiteral("insert into Discturm (SERIE, CODIGO) values (:s, :c)"),
             {{QStringLiteral("s"), serie}, {QStringLiteral("c"), code}});
    }
    void addStudent(int matricula, const QString &name, const QString &turma, int esp, const QVariant &sit) const
    {
        exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, ESP, SIT) values (:m, :n, :t, :e, :s)"),
             {{QStringLiteral("m"), matricula}, {QStringLiteral("n"), name}, {QStringLiteral("t"), turma},
              {QStringLiteral("e"), esp}, {QStringLiteral("s"), sit}});
    }
    // The rows of the five tables, "MATRICULA/DISC/TURMA" sorted, one list per table.
    QList<QStringList> gradeRows() const
    {
        QList<QStringList> tables;
        for (int table = 0; table <= 4; ++table) {
            const QString name = table == 0 ? QStringLiteral("NOTAS") : QStringLiteral("NotasUni%1").arg(table);
            tables << scalar(QStringLiteral("select group_concat(k, ' ') from (select cast(MATRICULA as integer) || '/' || "
                                            "DISC || '/' || TURMA as k from %1 order by 1)").arg(name))
                          .toString()
                          .split(u' ', Qt::SkipEmptyParts);
        }
        return tables;
    }
    // Every table holds the same rows.
    QStringList sameRowsEverywhere() const
    {
        const QList<QStringList> tables = gradeRows();
        for (const QStringList &rows : tables)
            EXPECT_EQ(rows, tables.first());
        return tables.first();
    }

    RecordingReporter m_reporter;
};

// A run killed part-way: the process dies at the given step, as far as the run can tell.
class KillingReporter : public RecordingReporter
{
public:
    explicit KillingReporter(int atStep) : m_atStep(atStep) {}
    void step(int done, const QString &text) override
    {
        RecordingReporter::step(done, text);
        if (++m_steps == m_atStep)
            throw std::runtime_error("killed");
    }

private:
    int m_atStep;
    int m_steps = 0;
};
