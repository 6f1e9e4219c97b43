// check: one of the six integrity checks of a data directory, optionally correcting and exporting.

#include "cli/ConsoleReporter.h"
#include "cli/Verb.h"
#include "data/bulk/DatasetRows.h"
#include "data/maintenance/IntegrityCheck.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Query.h"

#include <QDir>

namespace {

const cli::Verb verb{
    "check", "check DATA_DIR N [--fix] [--export]",
    "verificação de integridade N (1 a 6); --fix corrige, --export grava o .csv na pasta atual",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {"fix", "export"});
        args.allowOnly({"fix", "export"});
        const data::Database db = data::openSchoolYear(args.positional(0, "DATA_DIR"));
        bool ok = false;
        const int number = args.positional(1, "N").toInt(&ok);
        const int count = int(data::integrityChecks().size());
        if (!ok || number < 1 || number > count)
            throw cli::Failure(QStringLiteral("N deve ser de 1 a %1").arg(count), 2);
        const int index = number - 1;

        const data::IntegrityChecker checker(db);
        int status = 0;
        if (args.has("fix")) {
            cli::ConsoleReporter reporter(context);
            checker.fix(index, reporter);
            status = reporter.exitStatus();
        }
        const std::unique_ptr<data::Query> rows = checker.run(index);
        cli::printRows(context.out, data::semicolonRows(*rows));
        context.err << "Registros: " << rows->recordCount() << "  "
                    << data::integrityChecks().at(index).advice << '\n';
        if (args.has("export")) {
            QString error;
            if (!data::IntegrityChecker::exportRows(*rows, index, QDir::currentPath(), &error))
                throw cli::Failure(error);
            context.err << "Exportado: " << data::IntegrityChecker::exportFileName(index) << '\n';
        }
        return status;
    }};

} // namespace
