// The current account of a large school: 2 000 students x 12 months = 24 000 monthly fees
// generated through the data module's charge table with the ownership rule, against the same
// rows written with plain prepared SQLite inserts; then the billing window's opening on those
// rows with its six totals, and its view changes; the grid's re-reading after a run is timed apart
// from the writing. The best of a few runs is printed beside its target.

#include "billing/account/ChargeView.h"
#include "billing/generators/ChargeGenerators.h"
#include "core/Session.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/modules/TDataModule1.h"
#include "data/store/Database.h"
#include "data/store/Table.h"
#include "data/store/Transaction.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <sqlite3.h>

#include <chrono>
#include <functional>

namespace {

constexpr int kStudents = 2000;
constexpr int kClasses = 20;

class SilentReporter : public core::RunReporter
{
public:
    void begin(const QString &, int, bool) override {}
    void step(int, const QString &) override {}
    void note(core::Severity severity, const QString &text, const QString &) override
    {
        if (severity != core::Severity::Info)
            QTextStream(stderr) << text << '\n';
    }
    bool cancelled() const override { return false; }
    void finish(core::RunOutcome) override {}
};

QString classCode(int c)
{
    return QStringLiteral("%1G%2%3").arg(1 + c / 9).arg(1 + c % 9).arg(QChar(u'A' + c % 3));
}

void fillSchool(const data::Database &db)
{
    data::Transaction transaction(db);
    for (int c = 0; c < kClasses; ++c)
        db.exec(QStringLiteral("insert into TABTURMA (TURMA, DESCRICAO, Valor_Mensalidade) values (:t, :d, :v)"),
                {{QStringLiteral("t"), classCode(c)}, {QStringLiteral("d"), QStringLiteral("TURMA %1").arg(c)},
                 {QStringLiteral("v"), 350.0 + 25 * (c % 8)}});
    for (int i = 0; i < kStudents; ++i)
        db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, VENCIMENTO, ABAT, IMP) values "
                               "(:m, :n, :t, :v, :a, :i)"),
                {{QStringLiteral("m"), 2026000.0 + i},
                 {QStringLiteral("n"), QStringLiteral("ALUNO %1 DA SILVA").arg(i)},
                 {QStringLiteral("t"), classCode(i % kClasses)},
                 {QStringLiteral("v"), i % 3 == 0 ? QStringLiteral("05") : QStringLiteral("10")},
                 {QStringLiteral("a"), i % 10 == 0 ? 10.0 : 0.0},
                 {QStringLiteral("i"), QStringLiteral("%")}});
    transaction.commit();
}

// The same 24 000 rows, written the fastest plain way: one prepared insert in one transaction.
void insertPlain(const data::Database &db)
{
    auto *h = static_cast<sqlite3 *>(db.nativeHandle());
    sqlite3_exec(h, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt *st = nullptr;
    const char *sql = "INSERT INTO CCORRENT (Matricula, Tipo, ParcelaNum, ParcelaData, ParcelaValor, Acrescimos, TURMA, "
                      "NOME, DescontoFixo, DescontoEventual, USUARIO, STATUS2) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)";
    sqlite3_prepare_v2(h, sql, -1, &st, nullptr);
    for (int month = 1; month <= 12; ++month) {
        for (int i = 0; i < kStudents; ++i) {
            const QByteArray turma = classCode(i % kClasses).toUtf8();
            const QByteArray nome = QStringLiteral("ALUNO %1 DA SILVA").arg(i).toUtf8();
            const QByteArray due = QDate(2026, month, i % 3 == 0 ? 5 : 10).toString(Qt::ISODate).toUtf8();
            const double value = 350.0 + 25 * ((i % kClasses) % 8);
            sqlite3_bind_double(st, 1, 2026000.0 + i);
            sqlite3_bind_text(st, 2, "N", 1, SQLITE_STATIC);
            sqlite3_bind_int(st, 3, month);
            sqlite3_bind_text(st, 4, due.constData(), int(due.size()), SQLITE_TRANSIENT);
            sqlite3_bind_double(st, 5, value);
            sqlite3_bind_double(st, 6, 0);
            sqlite3_bind_text(st, 7, turma.constData(), int(turma.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 8, nome.constData(), int(nome.size()), SQLITE_TRANSIENT);
            sqlite3_bind_double(st, 9, i % 10 == 0 ? value / 10 : 0);
            sqlite3_bind_double(st, 10, 0);
            sqlite3_bind_text(st, 11, "TESOURARIA", 10, SQLITE_STATIC);
            sqlite3_bind_text(st, 12, "1", 1, SQLITE_STATIC);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
    }
    sqlite3_finalize(st);
    sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
}

double bestMs(int runs, const std::function<void()> &prepare, const std::function<void()> &work)
{
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        if (prepare)
            prepare();
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
    data::Database::defineName(QStringLiteral("Quorvel"), dir.path());
    core::Session &session = core::session();
    session.userName = QStringLiteral("TESOURARIA");
    session.rights.carnes = true;
    session.schoolYear = QStringLiteral("2026");

    data::TDataModule1 module;
    data::Table &charges = module.tblCCorrent();
    charges.open();
    SilentReporter reporter;
    QTextStream out(stdout);
    const auto line = [&out](const QString &what, double ms, const QString &target) {
        out << QStringLiteral("%1 %2 ms  %3\n").arg(what, -52).arg(ms, 8, 'f', 1).arg(target);
        out.flush();
    };
    const auto empty = [&] {
        db.exec(QStringLiteral("delete from CCORRENT"));
        charges.refresh();
    };

    const double plain = bestMs(runs, empty, [&] { insertPlain(db); });
    // The window reads its grid again after a run: timed apart, it is not part of the writing.
    const auto generate = [&] {
        billing::generateMonthlyFees(charges, {}, {QStringLiteral("2026"), 0.03, 10, QDate(2026, 3, 1)}, reporter);
    };
    const double generated = bestMs(runs, empty, generate);
    const double reread = bestMs(runs, [&] { empty(); generate(); }, [&] { charges.refresh(); });
    const int rows = db.scalar(QStringLiteral("select count(*) from CCORRENT")).toInt();
    line(QStringLiteral("plain prepared inserts (%1 rows)").arg(rows), plain, QString());
    line(QStringLiteral("Gerar Mensalidades, 12 months x %1 students").arg(kStudents), generated,
         QStringLiteral("(target < 1000 ms and <= 2x plain: %1x)").arg(generated / plain, 0, 'f', 2));
    line(QStringLiteral("the window reading its %1 rows again").arg(rows), reread, QString());
    // Most of the year paid, so the views have something to tell apart.
    db.exec(QStringLiteral("update CCORRENT set PgtoData = ParcelaData, PgtoValor = ParcelaValor - DescontoFixo "
                           "where ParcelaNum <= 8 and Matricula % 7 <> 0"));

    charges.close();
    line(QStringLiteral("opening the billing window with its totals"), bestMs(runs, [&] { charges.close(); }, [&] {
             charges.setIndexName(QStringLiteral("kTurma"));
             charges.open();
             billing::applyChargeFilter(charges, billing::kindFilter(QStringLiteral("Todos")));
             billing::totalsInView(charges);
         }),
         QStringLiteral("(target < 300 ms)"));
    double worstView = 0;
    for (const billing::ChargeView view : {billing::ChargeView::NaoPagos, billing::ChargeView::VencimentoNoMes,
                                           billing::ChargeView::ComDesconto, billing::ChargeView::Todos,
                                           billing::ChargeView::PagosDesde}) {
        worstView = std::max(worstView, bestMs(runs, {}, [&] {
            billing::applyChargeFilter(charges, billing::viewFilter(QStringLiteral("Mensalidade"), view, QDate(2026, 3, 15),
                                                                    QDate(2026, 12, 31), charges.value("Matricula")));
            billing::totalsInView(charges);
        }));
    }
    line(QStringLiteral("slowest view change with its totals"), worstView, QStringLiteral("(target < 200 ms)"));
    return 0;
}
