// post: edits one row of a school-year table, or appends one, through the data modules, so
// every rule of the table runs as when a form saves it. The user's rights apply. A refused
// change, or one whose rules end in an error, is undone and the verb fails.

#include "cli/DataPlace.h"
#include "cli/ConsoleReporter.h"
#include "cli/RowScript.h"
#include "data/bulk/BulkRun.h"
#include "data/store/Dataset.h"
#include "grades/UnitRowSave.h"

#include <QDir>

namespace {

const cli::Verb verb{
    "post", "post PASTA_DADOS TABELA [--key CAMPO=VALOR]... CAMPO=VALOR... [--user U --password P]",
    "altera o registro indicado por --key (ou inclui um) pelas regras da tabela e mostra o registro gravado",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {});
        args.allowOnly({QStringLiteral("key"), QStringLiteral("user"), QStringLiteral("password")});
        const QString dataDir = cli::dataPlace(args.positional(0, QStringLiteral("PASTA_DADOS")));
        const QString table = args.positional(1, QStringLiteral("TABELA"));
        const QList<data::FieldText> keys = cli::fieldTexts(args.values(QStringLiteral("key")), QStringLiteral("--key CAMPO=VALOR"));
        const QList<data::FieldText> values = cli::fieldTexts(args.positionals().mid(2), QStringLiteral("CAMPO=VALOR"));
        if (values.isEmpty())
            throw cli::Failure(QStringLiteral("informe ao menos um CAMPO=VALOR"), 2);
        cli::RowScript script(args, context, dataDir, false);
        cli::ConsoleReporter reporter(context);
        data::Dataset *dataset = nullptr;
        try {
            data::ScriptSession &session = script.open();
            // A unit row posted here is saved as the grid saves it.
            grades::installAverages(session.academic());
            dataset = &session.openTable(table, keys + values);
            data::BulkRun(session.database(), reporter).run([&](data::BulkRun &) {
                data::postRow(*dataset, keys, values);
                if (script.errorCount() > 0)
                    throw data::StoreError(QStringLiteral("A gravação foi desfeita."));
            });
        } catch (const data::StoreError &e) {
            throw cli::Failure(cli::oneLine(e.message()));
        }
        if (reporter.outcome() == core::RunOutcome::Completed) {
            core::SemicolonTable row;
            row.fieldNames = data::fieldNames(*dataset);
            row.rows = {data::rowTexts(*dataset)};
            cli::printRows(context.out, row);
        }
        return reporter.exitStatus();
    }};

} // namespace
