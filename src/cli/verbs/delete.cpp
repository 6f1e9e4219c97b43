// delete: deletes one row of a school-year table through the data modules, so the table's
// rules run (a student's rows go with the student). Questions of those rules are answered
// yes with --yes, no otherwise. A refused deletion, or one ending in an error, is undone.

#include "app/Startup.h"
#include "cli/Verb.h"
#include "core/Clock.h"
#include "data/modules/ScriptSession.h"
#include "data/store/Dataset.h"
#include "data/store/Transaction.h"

#include <QDir>

namespace {

const cli::Verb verb{
    "delete", "delete PASTA_DADOS TABELA --key CAMPO=VALOR... [--yes] [--user U --password P]",
    "exclui o registro indicado por --key pelas regras da tabela",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {QStringLiteral("yes")});
        args.allowOnly({QStringLiteral("key"), QStringLiteral("yes"), QStringLiteral("user"), QStringLiteral("password")});
        const QString dataDir = QDir(args.positional(0, QStringLiteral("PASTA_DADOS"))).absolutePath();
        const QString table = args.positional(1, QStringLiteral("TABELA"));
        if (args.positionals().size() > 2)
            throw cli::Failure(QStringLiteral("argumento a mais: %1").arg(args.positionals().at(2)), 2);
        QList<data::FieldText> keys;
        for (const QString &key : args.values(QStringLiteral("key"))) {
            const std::optional<data::FieldText> parsed = data::parseFieldText(key);
            if (!parsed)
                throw cli::Failure(QStringLiteral("esperado --key CAMPO=VALOR: %1").arg(key), 2);
            keys += *parsed;
        }
        if (keys.isEmpty())
            throw cli::Failure(QStringLiteral("informe o registro com --key CAMPO=VALOR"), 2);
        if (!QDir(dataDir).exists())
            throw cli::Failure(QStringLiteral("A pasta de dados não existe: %1").arg(QDir::toNativeSeparators(dataDir)));

        try {
            core::programDirs() = app::runStartupFileSteps(context.programDir, core::today());
        } catch (const app::StartupError &e) {
            throw cli::Failure(e.message());
        }
        auto *dialogs = new data::ScriptDialogs(args.has(QStringLiteral("yes")));
        core::setDialogs(std::unique_ptr<core::Dialogs>(dialogs));

        try {
            data::ScriptSession session(core::programDirs().users, dataDir,
                                        args.value(QStringLiteral("user"), qEnvironmentVariable("LUMESCO_USER")),
                                        args.value(QStringLiteral("password"), qEnvironmentVariable("LUMESCO_PASSWORD")));
            data::Dataset &dataset = session.openTable(table, keys);
            data::Transaction transaction(session.database());
            data::deleteRow(dataset, keys);
            if (dialogs->errorCount() > 0)
                throw cli::Failure(QStringLiteral("A exclusão foi desfeita."));
            transaction.commit();
            context.out << dataset.displayName() << ": 1 registro excluído\n";
        } catch (const data::StoreError &e) {
            throw cli::Failure(QString(e.message()).replace(u'\r', u' '));
        }
        return 0;
    }};

} // namespace
