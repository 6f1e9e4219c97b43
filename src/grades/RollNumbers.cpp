#include "grades/RollNumbers.h"

#include "data/bulk/BulkRun.h"
#include "data/store/Table.h"

namespace grades {

core::RunOutcome createRollNumbers(const data::Database &db, core::RunReporter &reporter)
{
    return data::BulkRun(db, reporter).run([&](data::BulkRun &run) {
        // The register's own order by class then name, so accents sort as the office reads them.
        data::Table students(db, QStringLiteral("Alunos.DB"));
        students.setIndexName(QStringLiteral("kTurma"));
        students.setFilter(QStringLiteral("(SIT<>'D') AND (SIT<>'T')"));
        students.setFiltered(true);
        students.open();
        const int total = students.recordCount();
        run.begin(QStringLiteral("Criando nº de ordem"), total);

        const QString studentUpdate = QStringLiteral("update ALUNOS set ESP = :e where MATRICULA = :m");
        const QString yearUpdate = QStringLiteral("update NOTAS set Esp = :e where MATRICULA = :m");
        QString schoolClass;
        int counter = 0;
        int done = 0;
        for (students.first(); !students.eof(); students.next()) {
            // The first student, and the first of each class, gets 1.
            if (counter == 0 || students.asText("TURMA") != schoolClass) {
                schoolClass = students.asText("TURMA");
                counter = 0;
            }
            ++counter;
            const data::SqlParams params{{QStringLiteral("e"), counter}, {QStringLiteral("m"), students.value("MATRICULA")}};
            const QString number = QString::number(students.asFloat("MATRICULA"), 'f', 0);
            const QString name = students.asText("NOME");
            run.row([&] {
                db.exec(studentUpdate, params);
                run.row([&] { db.exec(yearUpdate, params); },
                        [&](const data::StoreError &) { run.note(core::Severity::Error, QStringLiteral("erro ao gravar tblNotas")); });
                for (int unit = 1; unit <= 4; ++unit)
                    run.row([&] { db.exec(QStringLiteral("update NotasUni%1 set Esp = :e where MATRICULA = :m").arg(unit), params); },
                            [](const data::StoreError &) {});
            }, [&](const data::StoreError &) {
                run.note(core::Severity::Error,
                         QStringLiteral("Erro ao tentar gravar nº de ordem para o aluno %1 - %2").arg(number, name),
                         QStringLiteral("Erro ao gravar"));
            });
            ++done;
            run.step(done, QStringLiteral("Lendo turma: ") + schoolClass);
        }
    });
}

} // namespace grades
