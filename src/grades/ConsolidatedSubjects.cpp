#include "grades/ConsolidatedSubjects.h"

#include "data/bulk/BulkRun.h"
#include "data/schema/AcademicSchema.h"
#include "data/settings/Rounding.h"
#include "data/store/Query.h"
#include "grades/Averages.h"
#include "grades/YearRecalc.h"

namespace grades {

namespace {

// The weighted sums of one student's subjects that make up one consolidated subject.
struct Consolidation
{
    double matricula = 0;
    QString turma;
    QString disc; // the consolidated subject
    std::array<double, 5> sums{}; // UND1..UND4, PFINAL
    double weights = 0;
};

void rebuildWorkTable(const data::Database &db)
{
    try {
        db.dropTable(QStringLiteral("tbConsol.db"));
    } catch (const data::StoreError &) {
        // Not there yet.
    }
    db.createTable(data::schema::tbConsol());
    db.exec(QStringLiteral("insert into tbConsol (serie, codigo, consolidada) "
                           "select SERIE, CODIGO, 1 from Discturm where Consolidada = 1"));
}

void writeConsolidation(const data::Database &db, const Consolidation &c, int lastTypedUnit, int roundingMode)
{
    QVariantList values(5);
    if (c.weights > 0) {
        for (int i = 0; i < lastTypedUnit; ++i)
            values[i] = data::schoolRound(c.sums.at(std::size_t(i)) / c.weights, roundingMode);
        if (lastTypedUnit == 4)
            values[4] = data::schoolRound(c.sums.at(4) / c.weights, roundingMode);
    }
    db.exec(QStringLiteral("update NOTAS set UND1 = :u1, UND2 = :u2, UND3 = :u3, UND4 = :u4, PFINAL = :pf "
                           "where MATRICULA = :m and DISC = :d"),
            {{QStringLiteral("u1"), values.at(0)}, {QStringLiteral("u2"), values.at(1)},
             {QStringLiteral("u3"), values.at(2)}, {QStringLiteral("u4"), values.at(3)},
             {QStringLiteral("pf"), values.at(4)}, {QStringLiteral("m"), c.matricula},
             {QStringLiteral("d"), c.disc}});
}

void consolidate(data::BulkRun &run, int lastTypedUnit)
{
    const data::Database db = run.database();
    const int roundingMode = AverageRules::fromSettings().roundingMode;
    rebuildWorkTable(db);
    // Each student's rows of the subjects that feed a consolidated one, grouped under it.
    data::Query rows(db);
    rows.setSql(QStringLiteral(
        "select distinct n.Turma, n.MATRICULA, n.DISC, n.UND1, n.UND2, n.UND3, n.UND4, n.PFINAL, d.PESO, "
        "c.codigo as CONSOLIDADA from NOTAS n "
        "join Discturm d on d.SERIE = substring(n.Turma from 1 for 3) and d.CODIGO = n.DISC "
        "join tbConsol c on c.serie = d.SERIE and substring(c.codigo from 1 for 1) = substring(n.DISC from 1 for 1) "
        "order by n.Turma, n.MATRICULA, CONSOLIDADA, n.DISC"));
    rows.open();
    run.begin(QStringLiteral("Recalculando notas consolidadas"), rows.recordCount());

    std::optional<Consolidation> current;
    const auto finish = [&] {
        if (current)
            run.row([&] { writeConsolidation(db, *current, lastTypedUnit, roundingMode); }, [](const data::StoreError &) {});
    };
    int done = 0;
    for (rows.first(); !rows.eof(); rows.next()) {
        const double matricula = rows.asFloat("MATRICULA");
        const QString turma = rows.asText("Turma");
        const QString target = rows.asText("CONSOLIDADA");
        if (!current || current->matricula != matricula || current->turma != turma || current->disc != target) {
            finish();
            current = Consolidation{matricula, turma, target, {}, 0};
        }
        // The consolidated subject's own marks are what is being computed.
        if (rows.asText("DISC") != target) {
            const double weight = rows.asFloat("PESO");
            for (int i = 0; i < 4; ++i)
                current->sums[std::size_t(i)] += rows.asFloat(QStringLiteral("UND%1").arg(i + 1)) * weight;
            current->sums[4] += rows.asFloat("PFINAL") * weight;
            current->weights += weight;
        }
        run.step(++done);
    }
    finish();
}

} // namespace

core::RunOutcome recalculateConsolidated(const data::Database &db, const TypedUnits &typed, core::RunReporter &reporter)
{
    int lastTypedUnit = 0;
    for (int unit = 1; unit <= 4; ++unit)
        if (typed.at(std::size_t(unit - 1)))
            lastTypedUnit = unit;
    const YearRules yearRules = YearRules::fromSettings();
    return data::BulkRun(db, reporter).run([&](data::BulkRun &run) {
        consolidate(run, lastTypedUnit);
        recalculateYear(run, yearRules);
    });
}

} // namespace grades
