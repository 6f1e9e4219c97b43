// delete: deletes one row of a school-year table through the data modules, so the table's
// rules run (a student's rows go with the student). Questions of those rules are answered
// yes with --yes, no otherwise. A refused deletion, or one ending in an error, is undone.

#include "cli/DataPlace.h"
#include "cli/ConsoleReporter.h"
#include "cli/RowScript.h"
#include "data/bulk/BulkRun.h"
#include "data/store/Dataset.h"

#include <QDir>

namespace {

const cli::Verb verb{
    "delete", "delete PASTA_DADOS TABELA --key CAMPO=VALOR... [--yes] [--user U --password P]",
    "exclui o registro indicado por --key pelas regras da tabela",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {QStringLiteral("yes")});
        args.allowOnly({QStringLiteral("key"), QStringLiteral("yes"), QStringLiteral("user"), QStringLiteral("password")});
        const QString dataDir = cli::dataPlace(args.positional(0, QStringLiteral("PASTA_DADOS")));
        const QString table = args.positional(1, QStringLiteral("TABELA"));
        if (args.positionals().size() > 2)
            throw cli::Failure(QStringLiteral("argumento a mais: %1").arg(args.positionals().at(2)), 2);
        const QList<data::FieldText> keys =
            cli::fieldTexts(args.values(QStringLiteral("key")), QStringLiteral("--key CAMPO=VALOR"));
        if (keys.isEmpty())
            throw cli::Failure(QStringLiteral("informe o registro com --key CAMPO=VALOR"), 2);
        cli::RowScript script(args, context, dataDir, args.has(QStringLiteral("yes")));
        cli::ConsoleReporter reporter(context);
        QString name;
        try {
            data::ScriptSession &session = script.open();
            data::Dataset &dataset = session.openTable(table, keys);
            name = dataset.displayName();
            data::BulkRun(session.database(), reporter).run([&](data::BulkRun &) {
                data::deleteRow(dataset, keys);
                if (script.errorCount() > 0)
                    throw data::StoreError(QStringLiteral("A exclusão foi desfeita."));
            });
        } catch (const data::StoreError &e) {
            throw cli::Failure(cli::oneLine(e.message()));
        }
        if (reporter.outcome() == core::RunOutcome::Completed)
            context.out << name << ": 1 registro excluído\n";
        return reporter.exitStatus();
    }};

} // namespace
