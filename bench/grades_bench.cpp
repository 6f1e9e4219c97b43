// The grade calculations on a large school: 2000 students with 15 subjects each (30 000 year
// rows, 120 000 unit rows), units 1 to 3 typed. Times the generation of the grade rows (against
// the same rows inserted with plain prepared SQLite statements in one transaction), the unit
// recalculation (30 000 unit rows saved again, then the year), the year recalculation alone
// (without and with the school rounding's row passes), the ranking and the grade-entry board
// of one class and subject; the best of a few runs is printed beside its target.

#include "data/maintenance/SchoolYearSetup.h"
#include "data/modules/TDataModule1.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Dataset.h"
#include "data/store/SqliteApi.h"
#include "data/settings/Settings.h"
#include "data/store/Database.h"
#include "data/store/Transaction.h"
#include "grades/GradeBoard.h"
#include "grades/GradeRows.h"
#include "grades/Ranking.h"
#include "grades/UnitRecalc.h"
#include "grades/UnitRowSave.h"
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

QString className(int student)
{
    const int c = student % kClasses;
    return QStringLiteral("%1G%2%3").arg(1 + c / 9).arg(1 + c % 9).arg(QChar(u'A' + c % 3));
}

QString subjectCode(int d)
{
    return QStringLiteral("%1").arg(d, 2, 10, QLatin1Char('0'));
}

void fillSchool(const data::Database &db)
{
    QRandomGenerator random(1);
    data::Transaction transaction(db);
    for (int i = 0; i < kStudents; ++i) {
        const QString turma = className(i);
        const double ability = 5 + random.generateDouble() * 4.5;
        for (int d = 1; d <= kSubjects; ++d) {
            const data::SqlParams key{{QStringLiteral("m"), 2026000.0 + i},
                                      {QStringLiteral("d"), subjectCode(d)},
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

// The register for the generation: the students, their classes and the subjects of each grade.
void fillRegister(const data::Database &db)
{
    data::Transaction transaction(db);
    QStringList grades;
    for (int i = 0; i < kClasses; ++i) {
        db.exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO) values (:t, :t)"), {{QStringLiteral("t"), className(i)}});
        if (!grades.contains(className(i).left(3)))
            grades << className(i).left(3);
    }
    for (const QString &grade : std::as_const(grades))
        for (int d = 1; d <= kSubjects; ++d)
            db.exec(QStringLiteral("insert into Discturm (SERIE, CODIGO) values (:s, :c)"),
                    {{QStringLiteral("s"), grade}, {QStringLiteral("c"), subjectCode(d)}});
    for (int i = 0; i < kStudents; ++i)
        db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, ESP) values (:m, :n, :t, :e)"),
                {{QStringLiteral("m"), 2026000.0 + i}, {QStringLiteral("n"), QStringLiteral("ALUNO %1").arg(i)},
                 {QStringLiteral("t"), className(i)}, {QStringLiteral("e"), i / kClasses + 1}});
    transaction.commit();
}

void emptyGradeTables(const data::Database &db)
{
    db.exec(QStringLiteral("delete from NOTAS"));
    for (int unit = 1; unit <= 4; ++unit)
        db.exec(QStringLiteral("delete from NotasUni%1").arg(unit));
}

// The same 150 000 rows, one prepared insert per table, bound and stepped row by row.
void plainInserts(const data::Database &db)
{
    const data::sqlite::Api &api = data::sqlite::api();
    auto *handle = static_cast<sqlite3 *>(db.nativeHandle());
    api.exec(handle, "BEGIN", nullptr, nullptr, nullptr);
    QList<sqlite3_stmt *> statements;
    for (int table = 0; table <= 4; ++table) {
        const QByteArray sql = table == 0 ? QByteArray("insert into NOTAS (MATRICULA, DISC, Turma, Nome, Esp) values (?1, ?2, ?3, ?4, ?5)")
                                          : QStringLiteral("insert into NotasUni%1 (MATRICULA, DISC, TURMA, NOME, Esp, UNIDADE) "
                                                           "values (?1, ?2, ?3, ?4, ?5, '%1')").arg(table).toUtf8();
        sqlite3_stmt *statement = nullptr;
        api.prepare_v2(handle, sql.constData(), -1, &statement, nullptr);
        statements << statement;
    }
    for (int i = 0; i < kStudents; ++i) {
        const QByteArray turma = className(i).toUtf8();
        const QByteArray name = QStringLiteral("ALUNO %1").arg(i).toUtf8();
        for (int d = 1; d <= kSubjects; ++d) {
            const QByteArray disc = subjectCode(d).toUtf8();
            for (sqlite3_stmt *statement : std::as_const(statements)) {
                api.bind_double(statement, 1, 2026000.0 + i);
                api.bind_text(statement, 2, disc.constData(), -1, SQLITE_TRANSIENT);
                api.bind_text(statement, 3, turma.constData(), -1, SQLITE_TRANSIENT);
                api.bind_text(statement, 4, name.constData(), -1, SQLITE_TRANSIENT);
                api.bind_int64(statement, 5, i / kClasses + 1);
                api.step(statement);
                api.reset(statement);
            }
        }
    }
    for (sqlite3_stmt *statement : std::as_const(statements))
        api.finalize(statement);
    api.exec(handle, "COMMIT", nullptr, nullptr, nullptr);
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
    {
        QTemporaryDir generationDir;
        const data::Database school = data::createSchoolYear(generationDir.path(), QStringLiteral("2026"));
        fillRegister(school);
        const double plain = bestMs(runs, [&] {
            emptyGradeTables(school);
            plainInserts(school);
        });
        const double generation = bestMs(runs, [&] {
            emptyGradeTables(school);
            grades::generateGradeRows(school, false, reporter);
        });
        line("plain prepared inserts (150 000 grade rows)", plain, 1000);
        line("generation (150 000 grade rows)", generation, 1000);
        out << QStringLiteral("generation / plain inserts: %1 (target <= 1.5)\n").arg(generation / plain, 0, 'f', 2);
    }

    for (int unit = 1; unit <= 3; ++unit)
        grades::recalculateUnit(db, unit, reporter);

    line("unit recalculation (30 000 unit rows + year)", bestMs(runs, [&] { grades::recalculateUnit(db, 2, reporter); }), 2000);
    line("year recalculation", bestMs(runs, [&] { grades::recalculateYear(db, reporter); }), 300);
    data::settings().Arredondamento = 1;
    line("year recalculation, rounding to half points", bestMs(runs, [&] { grades::recalculateYear(db, reporter); }), 300);
    data::settings().Arredondamento = 0;
    line("ranking (2 000 students)", bestMs(runs, [&] { grades::rankStudents(db, reporter); }), 500);

    // The grade-entry board of one class and subject, as the tab opens it.
    data::Database::defineName(QString::fromLatin1(data::kMainDatabaseName), dir.path());
    data::TDataModule1 module;
    grades::installAverages(module);
    const grades::BoardChoice choice{className(0), subjectCode(1), 2, false};
    line("grade board, one class and subject", bestMs(runs, [&] {
             data::Dataset &rows = grades::openBoard(module, choice, false);
             grades::boardLines(rows, choice.unit, data::settings());
             rows.close();
         }), 50);
    return 0;
}
