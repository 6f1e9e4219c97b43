#include "data/maintenance/IntegrityCheck.h"

#include "core/Diagnostics.h"
#include "core/ProgramDirs.h"
#include "core/SemicolonExport.h"
#include "data/bulk/BulkRun.h"
#include "data/bulk/DatasetRows.h"
#include "data/store/Query.h"

namespace data {

namespace {

const QString kFixAdvice = QStringLiteral("Obs: Clique no botão Corrigir");

// Deletes the rows of `table` whose student is not in the register.
QString orphanDeletion(const QString &table)
{
    return QStringLiteral("delete from %1 where matricula in (select a.Matricula from %1 a left "
                          "join alunos b on a.matricula = b.matricula where (b.matricula is null))")
        .arg(table);
}

// Each list ends its order with the rows' numbers, so homonyms and a student's rows come in
// one order on every engine.
QList<IntegrityCheck> buildChecks()
{
    const QString activeWithout =
        QStringLiteral("select a.Turma, a.Matricula, a.Nome, a.Sit from alunos a left join %1 b "
                       "on a.matricula = b.matricula where (b.matricula is null) and ((a.sit <> "
                       "'T') and (a.sit <> 'D') or (a.sit is null)) order by a.Turma, a.Nome, a.Matricula ");
    const QString feeRows =
        QStringLiteral("select a.Matricula, a.Nome, a.sit as Sit_Aluno, a.DataSit, b.status as "
                       "Sit_Cobranca, b.ParcelaData, b.ParcelaValor, b.PgtoData, b.PgtoValor "
                       "from alunos a inner join Ccorrent b on a.matricula = b.matricula where %1 "
                       "Order by a.nome, b.ParcelaData, a.Matricula, b.ParcelaNum, b.Tipo");
    return {
        {QStringLiteral("Alunos ATIVOS sem registro para Disiciplinas e Notas"),
         QStringLiteral("Obs: Execute \"Corrigir\" no módulo Alunos->Notas"),
         activeWithout.arg(QStringLiteral("notas")),
         {}},
        {QStringLiteral("Alunos ATIVOS sem registro de Pagamentos"),
         QStringLiteral("Obs: Gerar registros de Cobrança para a relação acima no módulo Boletos"),
         activeWithout.arg(QStringLiteral("CCorrent")),
         {}},
        {QStringLiteral("Alunos Bolsistas com Status para Cobrança"),
         kFixAdvice,
         feeRows.arg(QStringLiteral("((a.sit ='B') )")),
         {}},
        {QStringLiteral("Alunos Transferidos ou Desistentes com Status para Cobrança"),
         kFixAdvice,
         feeRows.arg(QStringLiteral("((a.sit ='T') or (a.sit = 'D')) and (b.status is null)")),
         {}},
        {QStringLiteral("Registro de Notas sem vínculo com Alunos "),
         kFixAdvice,
         QStringLiteral("select a.Turma, a.Matricula, a.Nome, a.Sit from notas a left join alunos "
                        "b on a.matricula = b.matricula where (b.matricula is null)  order by "
                        "a.Turma, a.Nome, a.Matricula, a.Disc "),
         {orphanDeletion(QStringLiteral("notas")), orphanDeletion(QStringLiteral("notasUni1")),
          orphanDeletion(QStringLiteral("notasUni2")), orphanDeletion(QStringLiteral("notasUni3")),
          orphanDeletion(QStringLiteral("notasUni4"))}},
        {QStringLiteral("Registro de Pagamentos sem vínculo com Alunos "),
         kFixAdvice,
         QStringLiteral("select a.Turma, a.Matricula, a.Nome, a.Status as Sit_Cobranca from "
                        "CCorrent a left join alunos b on a.matricula = b.matricula where "
                        "(b.matricula is null)  order by a.Turma, a.Nome, a.Matricula, a.ParcelaData, "
                        "a.ParcelaNum, a.Tipo "),
         {orphanDeletion(QStringLiteral("ccorrent"))}},
    };
}

} // namespace

const QList<IntegrityCheck> &integrityChecks()
{
    static const QList<IntegrityCheck> checks = buildChecks();
    return checks;
}

IntegrityChecker::IntegrityChecker(const Database &db) : m_db(db) {}

std::unique_ptr<Query> IntegrityChecker::run(int index) const
{
    auto query = std::make_unique<Query>(m_db);
    query->setSql(integrityChecks().at(index).query);
    query->open();
    return query;
}

int IntegrityChecker::fix(int index, core::RunReporter &reporter) const
{
    const IntegrityCheck &check = integrityChecks().at(index);
    if (check.fixStatements.isEmpty())
        return 0; // a check that only lists: nothing to lock the file for
    int deleted = 0;
    BulkRun run(m_db, reporter);
    const core::RunOutcome outcome = run.run([&](BulkRun &r) {
        r.begin(check.caption, int(check.fixStatements.size()));
        int done = 0;
        for (const QString &statement : check.fixStatements) {
            // The check's other tables are still worth correcting when one of them fails.
            r.row([&] { deleted += m_db.exec(statement); },
                  [&](const StoreError &e) {
                      qCWarning(core::lcMaintenance) << "integrity fix skipped:" << statement << "-" << e.message();
                  });
            r.step(++done);
        }
    });
    return outcome == core::RunOutcome::Completed ? deleted : 0;
}

QString IntegrityChecker::exportFileName(int index)
{
    QString name = integrityChecks().at(index).caption;
    for (QChar &c : name) {
        if (QStringLiteral("\\/:*?\"<>|").contains(c) || c.unicode() < 32)
            c = u'_';
    }
    while (name.endsWith(u' ') || name.endsWith(u'.'))
        name.chop(1);
    return name + QStringLiteral(".csv");
}

bool IntegrityChecker::exportRows(Dataset &rows, int index, const QString &directory,
                                  QString *error)
{
    return core::exportSemicolon(core::joinPath(directory, exportFileName(index)), semicolonRows(rows), error);
}

} // namespace data
