#include "grades/YearRecalc.h"

#include "data/bulk/BulkRun.h"
#include "data/settings/Rounding.h"
#include "data/settings/Settings.h"
#include "data/store/Query.h"

#include <QStringList>

namespace grades {

namespace {

class YearSteps
{
public:
    YearSteps(data::BulkRun &run, const YearRules &rules) : m_run(run), m_rules(rules) {}

    // One statement; a failure is shown as its tag and the statement, and the run goes on.
    bool exec(const QString &tag, const QString &sql, const data::SqlParams &params = {})
    {
        return m_run.row([&] { m_run.database().exec(sql, params); },
                         [&](const data::StoreError &) { m_run.note(core::Severity::Error, tag + sql); });
    }

    // How many units have an average in at least one row; -1 when it cannot be read.
    int typedUnits()
    {
        const QString sql = QStringLiteral("select sum(UND1), sum(UND2), sum(UND3), sum(UND4) from NOTAS");
        int k = 0;
        const bool read = m_run.row(
            [&] {
                data::Query sums(m_run.database());
                sums.setSql(sql);
                sums.open();
                for (int unit = 0; unit < 4; ++unit)
                    k += sums.isBlank(unit) ? 0 : 1;
            },
            [&](const data::StoreError &) { m_run.note(core::Severity::Error, sql); });
        return read ? k : 0;
    }

    // The school rounding of the given columns, row by row; rows it leaves alone are not written.
    void roundColumns(const QStringList &columns)
    {
        if (m_rules.roundingMode == data::NoRounding)
            return;
        const data::Database db = m_run.database();
        m_run.row([&] {
            data::Query rows(db);
            rows.setSql(QStringLiteral("select rowid, %1 from NOTAS").arg(columns.join(QStringLiteral(", "))));
            rows.open();
            for (rows.first(); !rows.eof(); rows.next()) {
                for (int c = 0; c < columns.size(); ++c) {
                    if (rows.isBlank(c + 1))
                        continue;
                    const double value = rows.asFloat(c + 1);
                    const double rounded = data::schoolRound(value, m_rules.roundingMode);
                    if (rounded != value)
                        db.exec(QStringLiteral("update NOTAS set %1 = :v where rowid = :id").arg(columns.at(c)),
                                {{QStringLiteral("v"), rounded}, {QStringLiteral("id"), rows.value(0)}});
                }
            }
        }, [](const data::StoreError &) {});
    }

private:
    data::BulkRun &m_run;
    const YearRules &m_rules;
};

// "(UND1 * :w1 + UND2 * :w2) / (:w1 + :w2)" over the first k units; k = 1 takes UND1 as it is.
QString weightedUnits(int k)
{
    if (k == 1)
        return QStringLiteral("UND1");
    QStringList terms;
    QStringList weights;
    for (int unit = 1; unit <= k; ++unit) {
        terms << QStringLiteral("UND%1 * :w%1").arg(unit);
        weights << QStringLiteral(":w%1").arg(unit);
    }
    return QStringLiteral("(%1) / (%2)").arg(terms.join(QStringLiteral(" + ")), weights.join(QStringLiteral(" + ")));
}

} // namespace

YearRules YearRules::fromSettings()
{
    const data::Settings &s = data::settings();
    return {s.Peso_1,         s.Peso_2,          {s.PesoUND1, s.PesoUND2, s.PesoUND3, s.PesoUND4},
            s.unitPassMark,   s.finalPassMark,   s.Arredondamento};
}

void recalculateYear(data::BulkRun &run, const YearRules &rules)
{
    YearSteps steps(run, rules);
    // Weights as real numbers, so every division below is a real one.
    const data::SqlParams weights{{QStringLiteral("p1"), double(rules.yearWeight)},
                                  {QStringLiteral("p2"), double(rules.examWeight)}};
    const auto with = [](data::SqlParams a, const data::SqlParams &b) {
        a.insert(b);
        return a;
    };

    steps.exec(QStringLiteral("(Linha: 310)Erro em: "),
               QStringLiteral("update NOTAS set MD_ANUAL = null, MD_FINAL = null, MD_RECUP = null, RESULTADO = null"));
    const int k = steps.typedUnits();
    if (k > 0) {
        data::SqlParams unitWeights;
        for (int unit = 1; unit <= k; ++unit)
            unitWeights.insert(QStringLiteral("w%1").arg(unit), double(rules.unitWeights.at(std::size_t(unit - 1))));
        steps.exec(QStringLiteral("(Linha 330):Erro em: "),
                   QStringLiteral("update NOTAS set MD_ANUAL = %1").arg(weightedUnits(k)), k == 1 ? data::SqlParams{} : unitWeights);
    }
    steps.roundColumns({QStringLiteral("MD_ANUAL")});
    steps.exec(QStringLiteral("(linha 339):Erro em "), QStringLiteral("update NOTAS set PFINAL = 0.0 where PFINAL is null"));
    steps.exec(QStringLiteral("(347):Erro em "), QStringLiteral("update NOTAS set RECUP = 0.0 where RECUP is null"));
    steps.exec(QStringLiteral("(361):Erro em "),
               QStringLiteral("update NOTAS set MD_FINAL = (MD_ANUAL * :p1 + PFINAL * :p2) / (:p1 + :p2) "
                              "where MD_ANUAL + 0.05 < :u"),
               with(weights, {{QStringLiteral("u"), rules.unitPassMark}}));
    steps.exec(QStringLiteral("(370):Erro em "), QStringLiteral("update NOTAS set MD_FINAL = MD_ANUAL where MD_ANUAL + 0.05 >= :u"),
               {{QStringLiteral("u"), rules.unitPassMark}});
    steps.exec(QStringLiteral("(391):Erro em "), QStringLiteral("update NOTAS set MD_RECUP = MD_FINAL where MD_FINAL >= :g"),
               {{QStringLiteral("g"), rules.yearPassMark}});
    steps.exec(QStringLiteral("(403):Erro em "),
               QStringLiteral("update NOTAS set MD_RECUP = (MD_FINAL * :p1 + RECUP * :p2) / (:p1 + :p2) "
                              "where MD_FINAL < :g"),
               with(weights, {{QStringLiteral("g"), rules.yearPassMark}}));
    if (k == 4)
        steps.exec(QStringLiteral("(415):Erro em "), QStringLiteral("update NOTAS set MD_RECUP = MD_FINAL"));
    if (k > 0) {
        QStringList absences;
        for (int unit = 1; unit <= k; ++unit)
            absences << QStringLiteral("coalesce(FLT%1, 0)").arg(unit);
        steps.exec(QStringLiteral("(441):Erro em "),
                   QStringLiteral("update NOTAS set FALTAS = %1").arg(absences.join(QStringLiteral(" + "))));
    }
    steps.roundColumns({QStringLiteral("MD_ANUAL"), QStringLiteral("MD_FINAL")});
    steps.exec(QStringLiteral("Erro em "),
               QStringLiteral("update NOTAS set RESULTADO = case when MD_FINAL + 0.05 >= :g then 'APROVADO' "
                              "else 'REPROVADO' end where MD_FINAL is not null"),
               {{QStringLiteral("g"), rules.yearPassMark}});
}

core::RunOutcome recalculateYear(const data::Database &db, core::RunReporter &reporter)
{
    const YearRules rules = YearRules::fromSettings();
    return data::BulkRun(db, reporter).run([&](data::BulkRun &run) {
        run.begin(QStringLiteral("Recalculando médias anuais"), 0);
        recalculateYear(run, rules);
    });
}

} // namespace grades
