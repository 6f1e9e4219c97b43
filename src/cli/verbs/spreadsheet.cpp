// spreadsheet: the two annual spreadsheets of the "Mensalidades" menu, written into the working
// directory; the payments one for the Supervisor only.

#include "billing/reports/AnnualSpreadsheets.h"
#include "cli/DataPlace.h"
#include "cli/ConsoleReporter.h"
#include "cli/RowScript.h"
#include "core/Session.h"
#include "core/Shell.h"
#include "data/store/StoreError.h"

#include <QDir>

namespace {

using cli::Failure;

const cli::Verb verb{
    "spreadsheet", "spreadsheet PASTA_DADOS pagamentos|mensalidades [--user U --password S]",
    "planilha anual na pasta atual: pagamentos (previsto x realizado, só o Supervisor) ou mensalidades "
    "(dia do pagamento e valor de cada mês)",
    [](const QStringList &arguments, cli::Context &context) {
        const cli::Args args(arguments, {});
        args.allowOnly({QStringLiteral("user"), QStringLiteral("password")});
        const QString dataDir = cli::dataPlace(args.positional(0, QStringLiteral("PASTA_DADOS")));
        const QString which = args.positional(1, QStringLiteral("pagamentos|mensalidades"));
        if (which != u"pagamentos" && which != u"mensalidades")
            throw Failure(QStringLiteral("escolha pagamentos ou mensalidades: %1").arg(which), 2);
        const billing::AnnualSheet sheet =
            which == u"pagamentos" ? billing::AnnualSheet::Payments : billing::AnnualSheet::MonthlyFees;
        cli::RowScript script(args, context, dataDir, true);
        try {
            data::ScriptSession &session = script.open();
            const core::Session &s = core::session();
            if (sheet == billing::AnnualSheet::Payments ? !s.supervisor : !(s.supervisor || s.rights.carnes))
                throw Failure(sheet == billing::AnnualSheet::Payments
                                  ? QStringLiteral("a planilha de pagamentos é só do Supervisor")
                                  : QStringLiteral("o usuário não tem acesso às Mensalidades (direito Carnes)"));
            cli::ConsoleReporter reporter(context);
            QString path;
            billing::writeAnnualSheet(session.database(), sheet, QDir::currentPath(), reporter, &path);
            if (!path.isEmpty()) {
                core::shell().open(path);
                context.out << QDir::toNativeSeparators(path) << '\n';
            }
            return reporter.exitStatus();
        } catch (const data::StoreError &e) {
            throw Failure(cli::oneLine(e.message()));
        }
    }};

} // namespace
