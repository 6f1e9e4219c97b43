// cash: the cash book's figures as its window shows them.

#include "cashbook/CashTotals.h"
#include "cli/Verb.h"
#include "core/SemicolonExport.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/StoreError.h"

namespace {

cashbook::Period periodOption(const cli::Args &args)
{
    if (!args.has(QStringLiteral("from")) && !args.has(QStringLiteral("to")))
        return cashbook::wholeBook();
    if (!args.has(QStringLiteral("from")) || !args.has(QStringLiteral("to")))
        throw cli::Failure(QStringLiteral("informe --from e --to juntos"), 2);
    QString error;
    const std::optional<cashbook::Period> period =
        cashbook::periodFromTexts(args.value(QStringLiteral("from")), args.value(QStringLiteral("to")), &error);
    if (!period)
        throw cli::Failure(error, 2);
    return *period;
}

const cli::Verb verb{
    "cash", "cash totals DATA_DIR [--from DD/MM/AAAA --to DD/MM/AAAA] [--account TIPO/GRUPO/CONTA]",
    "os totais do Fluxo de Caixa (TOTAL_CONTA;RECEITAS;DESPESAS;SALDO) no período de \"Lançados "
    "entre\" (sem ele, de 01/01/1980 a 31/12/2050), para a conta indicada ou a primeira da lista",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {});
        args.allowOnly({QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("account")});
        const QString action = args.positional(0, QStringLiteral("totals"));
        if (action != u"totals")
            throw cli::Failure(QStringLiteral("ação desconhecida: %1 (ações: totals)").arg(action), 2);
        const QString dataDir = args.positional(1, QStringLiteral("DATA_DIR"));
        const cashbook::Period period = periodOption(args);
        try {
            const data::Database db = data::openSchoolYear(dataDir);
            std::optional<cashbook::AccountKey> account;
            if (args.has(QStringLiteral("account"))) {
                const QString text = args.value(QStringLiteral("account"));
                account = cashbook::parseAccountKey(text);
                if (!account)
                    throw cli::Failure(QStringLiteral("--account espera TIPO/GRUPO/CONTA: %1").arg(text), 2);
                if (!cashbook::accountExists(db, *account))
                    throw cli::Failure(QStringLiteral("conta inexistente: %1").arg(text));
            } else {
                account = cashbook::firstAccount(db);
            }
            const cashbook::WindowTotals totals = cashbook::windowTotals(db, account, period);
            core::SemicolonTable line;
            line.fieldNames = {QStringLiteral("TOTAL_CONTA"), QStringLiteral("RECEITAS"),
                               QStringLiteral("DESPESAS"), QStringLiteral("SALDO")};
            line.rows = {{cashbook::currencyText(totals.accountTotal),
                          cashbook::currencyText(totals.general.revenue),
                          cashbook::currencyText(totals.general.expense),
                          cashbook::currencyText(totals.general.balance())}};
            cli::printRows(context.out, line);
        } catch (const data::StoreError &e) {
            throw cli::Failure(cli::oneLine(e.message()));
        }
        return 0;
    }};

} // namespace
