// post: edits one row of a school-year table, or appends one, through the data modules, so
// every rule of the table runs as when a form saves it. The user's rights apply. A refused
// change, or one whose rules end in an error, is undone and the verb fails.

#include "app/Startup.h"
#include "cli/Verb.h"
#include "core/Clock.h"
#include "data/modules/ScriptSession.h"
#include "data/store/Dataset.h"
#include "data/store/Transaction.h"

#include <QDir>

namespace {

QList<data::FieldText> fieldTexts(const QStringList &arguments)
{
    QList<data::FieldText> list;
    for (const QString &argument : arguments) {
        const std::optional<data::FieldText> parsed = data::parseFieldText(argument);
        if (!parsed)
            throw cli::Failure(QStringLiteral("esperado CAMPO=VALOR: %1").arg(argument), 2);
        list += *parsed;
    }
    return list;
}

const cli::Verb verb{
    "post", "post PASTA_DADOS TABELA [--key CAMPO=VALOR]... CAMPO=VALOR... [--user U --password P]",
    "altera o registro indicado por --key (ou inclui um) pelas regras da tabela e mostra o registro gravado",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {});
        args.allowOnly({QStringLiteral("key"), QStringLiteral("user"), QStringLiteral("password")});
        const QString dataDir = QDir(args.positional(0, QStringLiteral("PASTA_DADOS"))).absolutePath();
        const QString table = args.positional(1, QStringLiteral("TABELA"));
        const QList<data::FieldText> keys = fieldTexts(args.values(QStringLiteral("key")));
        const QList<data::FieldText> values = fieldTexts(args.positionals().mid(2));
        if (values.isEmpty())
            throw cli::Failure(QStringLiteral("informe ao menos um CAMPO=VALOR"), 2);
        if (!QDir(dataDir).exists())
            throw cli::Failure(QStringLiteral("A pasta de dados não existe: %1").arg(QDir::toNativeSeparators(dataDir)));

        try {
            core::programDirs() = app::runStartupFileSteps(context.programDir, core::today());
        } catch (const app::StartupError &e) {
            throw cli::Failure(e.message());
        }
        auto *dialogs = new data::ScriptDialogs(false);
        core::setDialogs(std::unique_ptr<core::Dialogs>(dialogs));

        try {
            data::ScriptSession session(core::programDirs().users, dataDir,
                                        args.value(QStringLiteral("user"), qEnvironmentVariable("LUMESCO_USER")),
                                        args.value(QStringLiteral("password"), qEnvironmentVariable("LUMESCO_PASSWORD")));
            data::Dataset &dataset = session.openTable(table, keys + values);
            data::Transaction transaction(session.database());
            data::postRow(dataset, keys, values);
            if (dialogs->errorCount() > 0)
                throw cli::Failure(QStringLiteral("A gravação foi desfeita."));
            transaction.commit();
            cli::printRows(context.out, data::fieldNames(dataset), {data::rowTexts(dataset)});
        } catch (const data::StoreError &e) {
            throw cli::Failure(QString(e.message()).replace(u'\r', u' '));
        }
        return 0;
    }};

} // namespace
