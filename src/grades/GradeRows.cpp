#include "grades/GradeRows.h"

#include "data/bulk/BulkRun.h"
#include "data/store/Query.h"

namespace grades {

namespace {

// Situation empty counts as active, as the register's own filter treats it.
const QString kPairs = QStringLiteral(
    "from ALUNOS a join Tabturma t on t.TURMA = a.TURMA "
    "join Discturm d on d.SERIE = substring(a.TURMA from 1 for 3) "
    "where coalesce(a.SIT, '') <> 'D' and coalesce(a.SIT, '') <> 'T'");

QString tableNameForStop(int unit)
{
    return unit == 0 ? QStringLiteral("Notas") : QStringLiteral("Notas%1").arg(unit);
}

void emptyGradeTables(data::BulkRun &run)
{
    const data::Database &db = run.database();
    db.exec(QStringLiteral("delete from NOTAS"));
    for (int unit = 1; unit <= 4; ++unit)
        db.exec(QStringLiteral("delete from NotasUni%1").arg(unit));
}

// The grade tables must be there before anything is read, each with its own stop message.
void requireGradeTables(const data::Database &db)
{
    if (!db.hasTable(QStringLiteral("ALUNOS")))
        throw data::StoreError(QStringLiteral("Erro ao selecionar tabela Alunos."));
    for (int unit = 0; unit <= 4; ++unit) {
        const QString table = unit == 0 ? QStringLiteral("NOTAS") : QStringLiteral("NotasUni%1").arg(unit);
        if (!db.hasTable(table))
            throw data::StoreError(QStringLiteral("Erro ao selecionar tabela %1.").arg(tableNameForStop(unit)));
    }
}

} // namespace

void insertGradeRow(const data::Database &db, int table, const GradeRow &row)
{
    const data::SqlParams params{{QStringLiteral("m"), row.matricula}, {QStringLiteral("d"), row.disc},
                                 {QStringLiteral("t"), row.turma}, {QStringLiteral("n"), row.nome},
                                 {QStringLiteral("e"), row.esp}};
    if (table == 0)
        db.exec(QStringLiteral("insert into notas (matricula, disc, turma, nome, esp) values (:m, :d, :t, :n, :e)"), params);
    else
        db.exec(QStringLiteral("insert into notasuni%1 (matricula, disc, unidade, turma, nome, esp) "
                               "values (:m, :d, '%1', :t, :n, :e)")
                    .arg(table),
                params);
}

int gradeRowsToCreate(const data::Database &db)
{
    return db.scalar(QStringLiteral("select count(*) ") + kPairs).toInt();
}

core::RunOutcome generateGradeRows(const data::Database &db, bool replace, core::RunReporter &reporter)
{
    return data::BulkRun(db, reporter).run([&](data::BulkRun &run) {
        run.begin(QStringLiteral("Gerando tabela de Notas"), 0);
        requireGradeTables(db);
        if (replace)
            emptyGradeTables(run);
        const int total = gradeRowsToCreate(db);
        if (total == 0) {
            run.note(core::Severity::Error, QString::fromUtf8(kNoGradeSubjectsMessage), QStringLiteral("Erro"));
            throw data::StoreError(QString::fromUtf8(kGenerationFailedMessage));
        }

        // Class by class, one statement per table: fast, and progress still moves.
        data::Query classes(db);
        classes.setSql(QStringLiteral("select a.TURMA, count(*) ") + kPairs + QStringLiteral(" group by a.TURMA order by a.TURMA"));
        classes.open();
        run.begin(QStringLiteral("Gerando tabela de Notas"), total);
        // A row that exists keeps its marks: the insert of an existing key does nothing.
        const QString classPairs = kPairs + QStringLiteral(" and a.TURMA = :turma on conflict do nothing");
        QStringList inserts{QStringLiteral("insert into NOTAS (MATRICULA, DISC, Turma, Nome, Esp) "
                                           "select a.MATRICULA, d.CODIGO, a.TURMA, a.NOME, a.ESP ") + classPairs};
        for (int unit = 1; unit <= 4; ++unit)
            inserts << QStringLiteral("insert into NotasUni%1 (MATRICULA, DISC, TURMA, UNIDADE, NOME, Esp) "
                                      "select a.MATRICULA, d.CODIGO, a.TURMA, '%1', a.NOME, a.ESP ").arg(unit) + classPairs;
        int done = 0;
        for (classes.first(); !classes.eof(); classes.next()) {
            const data::SqlParams params{{QStringLiteral("turma"), classes.value(0)}};
            for (const QString &insert : std::as_const(inserts))
                db.exec(insert, params);
            done += int(classes.asInteger(1));
            run.step(done, QStringLiteral("Lendo: %1 de %2").arg(done).arg(total));
        }
    });
}

} // namespace grades
