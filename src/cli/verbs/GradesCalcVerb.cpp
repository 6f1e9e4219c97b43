#include "cli/verbs/GradesCalcVerb.h"

#include "cli/ConsoleReporter.h"
#include "cli/DataPlace.h"
#include "cli/RowScript.h"
#include "core/Session.h"
#include "data/modules/ScriptSession.h"
#include "grades/ConsolidatedSubjects.h"
#include "grades/Ranking.h"
#include "grades/UnitRecalc.h"
#include "grades/YearRecalc.h"

#include <QDir>

namespace cli {

namespace {

int unitNumber(const QString &text, const QString &option)
{
    bool ok = false;
    const int unit = text.trimmed().toInt(&ok);
    if (!ok || unit < 1 || unit > 4)
        throw Failure(QStringLiteral("%1: informe uma unidade de 1 a 4").arg(option), 2);
    return unit;
}

grades::TypedUnits typedUnits(const QString &list)
{
    grades::TypedUnits typed{};
    for (const QString &unit : list.split(u',', Qt::SkipEmptyParts))
        typed[std::size_t(unitNumber(unit, QStringLiteral("--units")) - 1)] = true;
    return typed;
}

} // namespace

int runGradesCalc(Args &args, Context &context)
{
    args.allowOnly({QStringLiteral("unit"), QStringLiteral("year"), QStringLiteral("units"), QStringLiteral("user"),
                    QStringLiteral("password")});
    const QString what = args.positional(0, QStringLiteral("recalc|consolidate|rank"));
    const QString dataDir = cli::dataPlace(args.positional(1, QStringLiteral("PASTA_DADOS")));
    std::function<core::RunOutcome(const data::Database &, core::RunReporter &)> run;
    if (what == QLatin1String("recalc") && args.has(QStringLiteral("year"))) {
        run = [](const data::Database &db, core::RunReporter &r) { return grades::recalculateYear(db, r); };
    } else if (what == QLatin1String("recalc")) {
        const int unit = unitNumber(args.value(QStringLiteral("unit")), QStringLiteral("--unit"));
        run = [unit](const data::Database &db, core::RunReporter &r) { return grades::recalculateUnit(db, unit, r); };
    } else if (what == QLatin1String("consolidate")) {
        const grades::TypedUnits typed = typedUnits(args.value(QStringLiteral("units")));
        run = [typed](const data::Database &db, core::RunReporter &r) {
            return grades::recalculateConsolidated(db, typed, r);
        };
    } else if (what == QLatin1String("rank")) {
        run = [](const data::Database &db, core::RunReporter &r) { return grades::rankStudents(db, r); };
    } else {
        throw Failure(QStringLiteral("use recalc, consolidate ou rank"), 2);
    }

    RowScript script(args, context, dataDir, false);
    ConsoleReporter reporter(context);
    try {
        data::ScriptSession &session = script.open();
        if (!core::session().rights.notas)
            throw Failure(QStringLiteral("O usuário %1 não tem o direito de alterar Notas.").arg(core::session().userName));
        run(session.database(), reporter);
    } catch (const data::StoreError &e) {
        throw Failure(oneLine(e.message()));
    }
    return reporter.exitStatus();
}

} // namespace cli
