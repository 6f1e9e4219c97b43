#include "grades/DemoMarks.h"

#include "data/bulk/BulkRun.h"
#include "data/store/Query.h"
#include "grades/ConsolidatedSubjects.h"
#include "grades/Ranking.h"
#include "grades/UnitRecalc.h"

#include <QRandomGenerator>
#include <QVariantList>
#include <cmath>

namespace grades {

namespace {

constexpr int kTypedUnits = 3;
constexpr double kAbsent = 15.0; // a mark above 10: absent from the test
constexpr double kExempt = 90.0;

double halfPoints(double mark)
{
    return std::clamp(std::round(mark * 2) / 2, 0.0, 10.0);
}

class MarkMaker
{
public:
    explicit MarkMaker(quint32 seed) : m_random(seed) {}

    double uniform(double from, double to) { return from + m_random.generateDouble() * (to - from); }
    bool chance(double p) { return m_random.generateDouble() < p; }
    // A student's usual level: most between 6 and 9.5.
    double ability() { return uniform(5.2, 9.6); }

private:
    QRandomGenerator m_random;
};

void typeMarks(data::BulkRun &run, int unit, MarkMaker &maker)
{
    const data::Database db = run.database();
    data::Query rows(db);
    rows.setSql(QStringLiteral("select u.rowid, u.MATRICULA from NotasUni%1 u "
                               "left join Discturm d on d.SERIE = substring(u.TURMA from 1 for 3) and d.CODIGO = u.DISC "
                               "where d.Consolidada is null or d.Consolidada = 0 order by u.MATRICULA, u.rowid")
                    .arg(unit));
    rows.open();
    run.begin(QStringLiteral("Digitando notas da %1ª unidade").arg(unit), rows.recordCount());
    const QString update = QStringLiteral("update NotasUni%1 set NOTA1 = :n1, NOTA2 = :n2, NOTA3 = :n3, RECUP = :r, "
                                          "FALTAS = :f where rowid = :id")
                               .arg(unit);
    double currentStudent = -1;
    double ability = 0;
    int done = 0;
    for (rows.first(); !rows.eof(); rows.next()) {
        if (rows.asFloat(1) != currentStudent) {
            currentStudent = rows.asFloat(1);
            ability = maker.ability();
        }
        QVariantList marks;
        if (maker.chance(0.01)) {
            marks = {kAbsent, kAbsent, kAbsent};
        } else if (maker.chance(0.004)) {
            marks = {kExempt, kExempt, kExempt};
        } else {
            double sum = 0;
            for (int n = 0; n < 3; ++n) {
                const double mark = halfPoints(ability + maker.uniform(-1.5, 1.5));
                marks << mark;
                sum += mark;
            }
            // Below the unit average, most students sit the unit recovery.
            if (sum / 3 < 7 && maker.chance(0.8))
                marks << halfPoints(maker.uniform(5.0, 9.5));
        }
        db.exec(update, {{QStringLiteral("n1"), marks.value(0)}, {QStringLiteral("n2"), marks.value(1)},
                         {QStringLiteral("n3"), marks.value(2)}, {QStringLiteral("r"), marks.value(3)},
                         {QStringLiteral("f"), int(maker.uniform(0, 5))}, {QStringLiteral("id"), rows.value(0)}});
        run.step(++done);
    }
}

} // namespace

core::RunOutcome fillDemoMarks(const data::Database &db, core::RunReporter &reporter, quint32 seed)
{
    MarkMaker maker(seed);
    const core::RunOutcome typed = data::BulkRun(db, reporter).run([&](data::BulkRun &run) {
        for (int unit = 1; unit <= kTypedUnits; ++unit)
            typeMarks(run, unit, maker);
    });
    if (typed != core::RunOutcome::Completed)
        return typed;
    for (int unit = 1; unit <= kTypedUnits; ++unit)
        if (const core::RunOutcome o = recalculateUnit(db, unit, reporter); o != core::RunOutcome::Completed)
            return o;
    if (const core::RunOutcome o = recalculateConsolidated(db, {true, true, true, false}, reporter);
        o != core::RunOutcome::Completed)
        return o;
    return rankStudents(db, reporter);
}

} // namespace grades
