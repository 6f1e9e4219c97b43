// upgrade: the academic and cash-book start-up of a log-on on one data directory.

#include "cli/DataPlace.h"
#include "cli/Verb.h"
#include "core/Session.h"
#include "data/maintenance/AcademicStartup.h"
#include "data/maintenance/CashBookStartup.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"

#include <QDir>

namespace {

const cli::Verb verb{
    "upgrade", "upgrade DATA_DIR",
    "atualiza as tabelas do ano letivo como um log-on (instruções de atualização, configuração)",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {});
        args.allowOnly({});
        const QString dataDir = cli::dataPlace(args.positional(0, "DATA_DIR"));
        data::openSchoolYear(dataDir); // refuses a directory without a school year
        core::session().dataDir = dataDir;
        const data::AcademicStartupResult result = data::runAcademicStartup(dataDir);
        const data::Database db =
            data::Database::named(QString::fromLatin1(data::kMainDatabaseName));
        data::runCashBookStartup(db);
        data::loadSettings();

        context.out << result.statusText << '\n';
        if (!result.createdTables.isEmpty())
            context.out << "Tabelas criadas: " << result.createdTables.join(QStringLiteral(", "))
                        << '\n';
        QStringList steps;
        for (int step : result.upgradeSteps)
            steps += QString::number(step);
        context.out << "Atualizações aplicadas: " << steps.join(QStringLiteral(", ")) << '\n';
        return 0;
    }};

} // namespace
