#include "grades/GradeRowsDemo.h"

#include "data/bulk/BulkRun.h"
#include "data/store/Query.h"
#include "grades/GradeRows.h"

namespace grades {

namespace {

constexpr int kRetakingStudents = 2;

void addRetakenSubjects(data::BulkRun &run)
{
    const data::Database &db = run.database();
    // The last class of the highest numbered grade, and a class of the grade below it.
    const QString ownClass =
        db.scalar(QStringLiteral("select max(TURMA) from NOTAS where substring(TURMA from 1 for 1) between '1' and '9'"))
            .toString();
    data::Query other(db);
    other.setSql(QStringLiteral("select t.TURMA, min(d.CODIGO) from Tabturma t join Discturm d on "
                                "d.SERIE = substring(t.TURMA from 1 for 3) where substring(t.TURMA from 1 for 3) < :serie "
                                "and (d.Consolidada is null or d.Consolidada = 0) group by t.TURMA order by t.TURMA desc"));
    other.bind(QStringLiteral("serie"), ownClass.left(3));
    other.open();
    if (ownClass.isEmpty() || other.isEmpty())
        return;
    const QString otherClass = other.asText(0);
    const QString subject = other.asText(1);

    data::Query students(db);
    students.setSql(QStringLiteral("select MATRICULA, NOME, ESP from ALUNOS where TURMA = :turma and "
                                   "coalesce(SIT, '') <> 'D' and coalesce(SIT, '') <> 'T' order by MATRICULA"));
    students.bind(QStringLiteral("turma"), ownClass);
    students.open();
    int added = 0;
    for (students.first(); !students.eof() && added < kRetakingStudents; students.next(), ++added) {
        const GradeRow row{students.asFloat(0), subject, otherClass, students.asText(1), students.value(2)};
        for (int table = 0; table <= 4; ++table)
            insertGradeRow(db, table, row);
    }
}

} // namespace

core::RunOutcome generateDemoGradeRows(const data::Database &db, core::RunReporter &reporter)
{
    const core::RunOutcome generated = generateGradeRows(db, false, reporter);
    if (generated != core::RunOutcome::Completed)
        return generated;
    return data::BulkRun(db, reporter).run([](data::BulkRun &run) {
        run.begin(QStringLiteral("Disciplinas isoladas"), 0);
        addRetakenSubjects(run);
    });
}

} // namespace grades
