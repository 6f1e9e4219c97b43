// The grade calculations on a large school: 2000 students with 15 subjects each (30 000 year
// rows, 120 000 unit rows), units 1 to 3 typed. Times the unit recalculation (30 000 unit rows
// saved again, then the year), the year recalculation alone (without and with the school
// rounding's row passes) and the ranking; the best of a few runs is printed beside its target.

#include "data/maintenance/SchoolYearSetup.h"
#include "data/settings/Settings.h"
#include "data/store/Database.h"
#include "data/store/Transaction.h"
#include "grades/Ranking.h"
#include "grades/UnitRecalc.h"
#include "grades/YearRecalc.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <chrono>
#include <functional>

namespace {

constexpr int kStudents = 2000;
constexpr int kSubjects = 15;
constexpr int kClasses = 20;

class SilentReporter : public core::RunReporter
{
public:
    void begin(const QString &, int, bool) override {}
    void step(int, const QString &) override {}
    void note(core::Severity, const QString &text, const QString &) override { QTextStream(stderr) << text << '\n'; }
    bool cancelled() const override { return false; }
    void finish(core::RunOutcome) override {}
};

void fillSchool(const data::Database &db)
{
    QRandomGenerator random(1);
    data::Transaction transaction(db);
    for (int i = 0; i < kStudents; ++i) {
        const int c = i % kClasses;
        const QString turma = QStringLiteral("%1G%2%3").arg(1 + c / 9).arg(1 + c % 9).arg(QChar(u'A' + c % 3));
        const double ability = 5 + random.generateDouble() * 4.5;
        for (int d = 1; d <= kSubjects; ++d) {
            const data::SqlParams key{{QStringLiteral("m"), 2026000.0 + i},
                                      {QStringLiteral("d"), QStringLiteral("%1").arg(d, 2, 10, QLatin1Char('0'))},
                                      {QStringLiteral("t"), turma},
                                      {QStringLiteral("n"), QStringLiteral("ALUNO %1").arg(i)},
                                      {QStringLiteral("e"), i / kClasses + 1}};
            db.exec(QStringLiteral("insert into NOTAS (MATRICULA, DISC, Turma, Nome, Esp) values (:m, :d, :t, :n, :e)"), key);
            for (int unit = 1; unit <= 4; ++unit) {
                data::SqlParams row = key;
                row.insert(QStringLiteral("u"), QString::number(unit));
                for (int n = 1; n <= 3; ++n)
                    row.insert(QStringLiteral("n%1").arg(n),
                               unit <= 3 ? QVariant(std::min(10.0, ability + random.generateDouble() * 2 - 1)) : QVariant());
                db.exec(QStringLiteral("insert into NotasUni%1 (MATRICULA, DISC, TURMA, NOME, Esp, UNIDADE, NOTA1, NOTA2, NOTA3) "
                                       "values (:m, :d, :t, :n, :e, :u, :n1, :n2, :n3)")
                            .arg(unit),
                        row);
            }
        }
    }
    transaction.commit();
}

double bestMs(int runs, const std::function<void()> &work)
{
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 3;
    QTemporaryDir dir;
    const data::Database db = data::createSchoolYear(dir.path(), QStringLiteral("2026"));
    fillSchool(db);
    SilentReporter reporter;
    QTextStream out(stdout);
    const auto line = [&out](const char *what, double ms, double targetMs) {
        out << QStringLiteral("%1 %2 ms (target < %3 ms)\n").arg(QString::fromUtf8(what), -46).arg(ms, 8, 'f', 1).arg(targetMs);
        out.flush();
    };
    for (int unit = 1; unit <= 3; ++unit)
        grades::recalculateUnit(db, unit, reporter);

    line("unit recalculation (30 000 unit rows + year)", bestMs(runs, [&] { grades::recalculateUnit(db, 2, reporter); }), 2000);
    line("year recalculation", bestMs(runs, [&] { grades::recalculateYear(db, reporter); }), 300);
    data::settings().Arredondamento = 1;
    line("year recalculation, rounding to half points", bestMs(runs, [&] { grades::recalculateYear(db, reporter); }), 300);
    data::settings().Arredondamento = 0;
    line("ranking (2 000 students)", bestMs(runs, [&] { grades::rankStudents(db, reporter); }), 500);
    return 0;
}
