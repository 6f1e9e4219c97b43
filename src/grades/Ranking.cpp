#include "grades/Ranking.h"

#include "data/bulk/BulkRun.h"
#include "data/settings/Rounding.h"
#include "data/store/Query.h"

#include <algorithm>
#include <array>
#include <vector>

namespace grades {

namespace {

constexpr int kMeasures = 5; // units 1..4, then the year

struct Tally
{
    double sum = 0;
    int count = 0;

    void add(const QVariant &value)
    {
        if (value.isNull() || !countsForRanking(value.toDouble()))
            return;
        sum += value.toDouble();
        ++count;
    }
};

struct RankedStudent
{
    double matricula = 0;
    QString nome;
    QString turma;
    std::array<double, kMeasures> points{};
    std::array<int, kMeasures> places{};
};

QString shown(double points)
{
    return QString::number(points, 'f', 1);
}

// Dense places inside each class: ties share a place, the next value takes the next one.
void placeInClasses(std::vector<RankedStudent> &students, int measure)
{
    std::vector<RankedStudent *> order;
    order.reserve(students.size());
    for (RankedStudent &s : students)
        order.push_back(&s);
    std::stable_sort(order.begin(), order.end(), [measure](const RankedStudent *a, const RankedStudent *b) {
        if (a->turma != b->turma)
            return a->turma < b->turma;
        return a->points.at(std::size_t(measure)) < b->points.at(std::size_t(measure));
    });
    int place = 1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0) {
            if (order[i]->turma != order[i - 1]->turma)
                place = 1;
            else if (shown(order[i]->points.at(std::size_t(measure))) != shown(order[i - 1]->points.at(std::size_t(measure))))
                ++place;
        }
        order[i]->places[std::size_t(measure)] = place;
    }
}

std::vector<RankedStudent> readStudents(data::BulkRun &run)
{
    data::Query grades(run.database());
    grades.setSql(QStringLiteral("select MATRICULA, Nome, Turma, UND1, UND2, UND3, UND4, MD_FINAL from NOTAS "
                                 "order by MATRICULA, DISC, Turma"));
    grades.open();
    const int total = grades.recordCount();
    run.begin(QStringLiteral("Calculando colocação"), total);
    std::vector<RankedStudent> students;
    std::array<Tally, kMeasures> tallies;
    const auto close = [&] {
        if (students.empty())
            return;
        for (int m = 0; m < kMeasures; ++m)
            students.back().points[std::size_t(m)] = rankingPoints(tallies.at(std::size_t(m)).sum, tallies.at(std::size_t(m)).count);
        tallies = {};
    };
    int done = 0;
    for (grades.first(); !grades.eof(); grades.next()) {
        const double matricula = grades.asFloat("MATRICULA");
        if (students.empty() || students.back().matricula != matricula) {
            close();
            students.push_back({matricula, grades.asText("Nome"), grades.asText("Turma"), {}, {}});
        }
        for (int unit = 1; unit <= 4; ++unit)
            tallies[std::size_t(unit - 1)].add(grades.value(QStringLiteral("UND%1").arg(unit)));
        // The year measure is the final average as the school rounds it.
        const QVariant final = grades.value("MD_FINAL");
        tallies[4].add(final.isNull() ? QVariant() : QVariant(data::schoolRound(final.toDouble())));
        ++done;
        run.step(done, QStringLiteral("Lendo: %1 de %2").arg(done).arg(total));
    }
    close();
    return students;
}

} // namespace

bool countsForRanking(double value)
{
    return !(value > 10 && value < 90) && value != 90;
}

double rankingPoints(double sum, int count)
{
    if (count == 0)
        return 0;
    return -shown(sum / count).toDouble();
}

core::RunOutcome rankStudents(const data::Database &db, core::RunReporter &reporter)
{
    if (db.isTableOpenElsewhere(QStringLiteral("posicao.db"))) {
        reporter.note(core::Severity::Error,
                      QStringLiteral("Não foi possível abrir a tabela Posicao.db para uso EXCLUSIVO.\n"
                                     "Verifique se há algum usuário acessando o sistema."),
                      QString());
        reporter.finish(core::RunOutcome::Failed);
        return core::RunOutcome::Failed;
    }
    return data::BulkRun(db, reporter).run([&](data::BulkRun &run) {
        std::vector<RankedStudent> students = readStudents(run);
        for (int m = 0; m < kMeasures; ++m)
            placeInClasses(students, m);
        db.exec(QStringLiteral("delete from posicao"));
        for (const RankedStudent &s : students) {
            run.row([&] {
                db.exec(QStringLiteral("insert into posicao (MATRICULA, NOME, TURMA, GRUPO, PONTOS1, PONTOS2, PONTOS3, "
                                       "PONTOS4, PONTOST, Pos1, Pos2, Pos3, Pos4, Postotal) values (:m, :n, :t, :g, "
                                       ":p1, :p2, :p3, :p4, :pt, :o1, :o2, :o3, :o4, :ot)"),
                        {{QStringLiteral("m"), s.matricula}, {QStringLiteral("n"), s.nome},
                         {QStringLiteral("t"), s.turma}, {QStringLiteral("g"), s.turma.left(3)},
                         {QStringLiteral("p1"), s.points[0]}, {QStringLiteral("p2"), s.points[1]},
                         {QStringLiteral("p3"), s.points[2]}, {QStringLiteral("p4"), s.points[3]},
                         {QStringLiteral("pt"), s.points[4]}, {QStringLiteral("o1"), s.places[0]},
                         {QStringLiteral("o2"), s.places[1]}, {QStringLiteral("o3"), s.places[2]},
                         {QStringLiteral("o4"), s.places[3]}, {QStringLiteral("ot"), s.places[4]}});
            }, [&](const data::StoreError &) {
                run.note(core::Severity::Error, QStringLiteral("Erro ao tentar atualizar Tabela Posicao.db"));
            });
        }
    });
}

} // namespace grades
