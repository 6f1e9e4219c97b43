// init: creates a school year in a data directory, optionally filled with a demo school.

#include "billing/DemoCharges.h"
#include "cashbook/DemoCashBook.h"
#include "cli/ConsoleReporter.h"
#include "cli/Verb.h"
#include "core/Clock.h"
#include "data/demo/DemoSchool.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Database.h"
#include "grades/DemoMarks.h"
#include "grades/GradeRowsDemo.h"

namespace {

int positiveOption(const cli::Args &args, const QString &name, int fallback)
{
    bool ok = false;
    const int value = args.value(name, QString::number(fallback)).toInt(&ok);
    if (!ok || value < 0)
        throw cli::Failure(QStringLiteral("--%1 precisa de um número inteiro positivo").arg(name),
                           2);
    return value;
}

const cli::Verb verb{
    "init", "init DATA_DIR [--year AAAA] [--demo] [--students N] [--seed S]",
    "cria o ano letivo na pasta (tabelas e configuração); --demo preenche uma escola de "
    "demonstração",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {"demo"});
        args.allowOnly({"year", "demo", "students", "seed"});
        const QString dataDir = args.positional(0, "DATA_DIR");
        const QString year = args.value("year", QString::number(core::today().year()));
        bool numeric = false;
        year.toInt(&numeric);
        if (!numeric || year.size() != 4)
            throw cli::Failure(QStringLiteral("--year precisa de um ano com quatro algarismos"), 2);
        const int students = positiveOption(args, "students", 300);
        const int seed = positiveOption(args, "seed", 1);
        if (!args.has("demo") && (args.has("students") || args.has("seed")))
            throw cli::Failure(QStringLiteral("--students e --seed só valem com --demo"), 2);

        const data::Database db = data::createSchoolYear(dataDir, year);
        context.out << "Ano letivo " << year << " em " << db.directory() << '\n';
        if (args.has("demo")) {
            if (db.scalar("select count(*) from ALUNOS").toInt() > 0)
                throw cli::Failure(QStringLiteral("a pasta já tem alunos; a escola de demonstração "
                                                  "só é criada num ano letivo vazio"));
            cli::ConsoleReporter reporter(context);
            const std::optional<data::demo::DemoSummary> s =
                data::demo::fillDemoSchool(db, year, reporter, {students, quint32(seed)});
            if (s) {
                context.out << "Escola de demonstração: " << s->students << " alunos, " << s->classes
                            << " turmas, " << s->subjects << " disciplinas (" << s->gradeSubjects
                            << " nas grades das séries), " << s->staff << " funcionários, "
                            << s->assignments << " atribuições de professores\n";
                // Grade rows, marks typed on them, then averages and ranking, for the report cards.
                if (grades::generateDemoGradeRows(db, reporter) == core::RunOutcome::Completed)
                    grades::fillDemoMarks(db, reporter, quint32(seed));
                billing::fillDemoCharges(db, year, reporter, quint32(seed));
                const cashbook::DemoCashBookSummary book = cashbook::fillDemoCashBook(db, year, quint32(seed));
                context.out << "Livro caixa: " << book.groups << " grupos, " << book.accounts << " contas, "
                            << book.banks << " bancos, " << book.movements << " lançamentos\n";
            }
            return reporter.exitStatus();
        }
        return 0;
    }};

} // namespace
