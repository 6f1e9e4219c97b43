#include "grades/UnitRecalc.h"

#include "data/bulk/BulkRun.h"
#include "data/settings/Settings.h"
#include "data/store/Query.h"
#include "grades/UnitRowSave.h"
#include "grades/YearRecalc.h"

namespace grades {

namespace {

void deleteBlankRows(data::BulkRun &run)
{
    QStringList tables{QStringLiteral("Notas")};
    for (int unit = 1; unit <= 4; ++unit)
        tables << QStringLiteral("NotasUni%1").arg(unit);
    for (const QString &table : std::as_const(tables)) {
        run.row([&] { run.database().exec(QStringLiteral("delete from %1 where (matricula is null) or (disc is null)").arg(table)); },
                [&](const data::StoreError &) {
                    run.note(core::Severity::Error,
                             QStringLiteral("Erro ao deletar registros em branco da tabela %1.db").arg(table),
                             QStringLiteral("Erro"));
                });
    }
}

void resaveRows(data::BulkRun &run, int unit)
{
    const data::Database db = run.database();
    const AverageRules rules = AverageRules::fromSettings();
    const double passMark = data::settings().unitPassMark;
    data::Query rows(db);
    rows.setSql(QStringLiteral("select rowid, MATRICULA, DISC, TURMA, NOTA1, NOTA2, NOTA3, NOTA4, NOTA5, PONTOS1, "
                               "RECUP, PONTOS2, FALTAS from NotasUni%1")
                    .arg(unit));
    rows.open();
    const int total = rows.recordCount();
    run.begin(QStringLiteral("Recalculando médias da %1ª unidade").arg(unit), total);
    const QString unitUpdate =
        QStringLiteral("update NotasUni%1 set MEDIA = :media, MD_FINAL = :final, RESULTADO = :res where rowid = :id").arg(unit);
    int done = 0;
    for (rows.first(); !rows.eof(); rows.next()) {
        run.row([&] {
            const UnitRowValues values = unitRowValues(unitAverage(unitMarksOf(rows), rules), passMark);
            db.exec(unitUpdate, {{QStringLiteral("media"), fieldValue(values.media)},
                                 {QStringLiteral("final"), fieldValue(values.mdFinal)},
                                 {QStringLiteral("res"), values.media ? QVariant(values.resultado) : QVariant()},
                                 {QStringLiteral("id"), rows.value(0)}});
            try {
                writeYearRow(db, {rows.asFloat("MATRICULA"), rows.asText("DISC"), rows.asText("TURMA")}, unit, values,
                             rows.value("FALTAS"));
            } catch (const data::StoreError &) {
                // As when a row is saved on screen: the year recalculation below tells what failed.
            }
        }, [](const data::StoreError &) {});
        ++done;
        run.step(done, QStringLiteral("Lendo: %1 de %2").arg(done).arg(total));
    }
}

} // namespace

core::RunOutcome recalculateUnit(const data::Database &db, int unit, core::RunReporter &reporter)
{
    const YearRules yearRules = YearRules::fromSettings();
    return data::BulkRun(db, reporter).run([&](data::BulkRun &run) {
        run.begin(QStringLiteral("Recalculando médias"), 0);
        deleteBlankRows(run);
        // The year follows even when the unit could not be read.
        try {
            resaveRows(run, unit);
        } catch (const data::StoreError &e) {
            run.note(core::Severity::Error, e.message());
        }
        recalculateYear(run, yearRules);
    });
}

} // namespace grades
