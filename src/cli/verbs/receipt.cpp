// receipt: the payment receipt and authentication line of one charge row, as the ticket-printer
// window shows them; with --print and --authenticate, printed through the ticket-printer library
// exactly as the window's buttons do.

#include "billing/receipt/ReceiptCommand.h"
#include "billing/receipt/TicketPrintFlows.h"
#include "billing/receipt/ZupriTicketPrinter.h"
#include "cli/KeyValue.h"
#include "cli/LogOn.h"
#include "cli/Verb.h"
#include "core/Clock.h"
#include "core/Session.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "data/store/StoreError.h"
#include "data/users/UsersTable.h"

namespace {

QList<billing::KeyValue> chargeKey(const cli::Args &args)
{
    QList<billing::KeyValue> key;
    for (const cli::KeyValue &pair : cli::keyValues(args.values("key"), QStringLiteral("--key CAMPO=VALOR")))
        key.append({pair.key, pair.value});
    if (key.isEmpty())
        throw cli::Failure(QStringLiteral("informe a cobrança com --key CAMPO=VALOR "
                                          "(por exemplo --key Matricula=1234 --key Tipo=N "
                                          "--key ParcelaNum=3)"),
                           2);
    return key;
}

int portItem(const cli::Args &args)
{
    const QString text = args.value("port", QStringLiteral("0"));
    bool ok = false;
    const int item = text.toInt(&ok);
    if (!ok || item < 0 || item > 3)
        throw cli::Failure(QStringLiteral("--port vai de 0 (COM 1) a 3 (COM 4): %1").arg(text), 2);
    return item;
}

// The user named on the receipt, checked against the users table as a log-on is: an unknown
// user, a wrong password or a user who still has to create one is refused with the dialog's text.
void logOn(const cli::Args &args, cli::Context &context)
{
    try {
        const data::UsersTable users(cli::programDirectories(context).users);
        const data::UserRecord user = cli::requireLogOn(cli::checkLogOn(cli::credentials(args), users));
        core::session().userName = user.userId;
        core::session().supervisor = user.supervisor;
        core::session().rights = user.rights;
    } catch (const data::StoreError &e) {
        throw cli::Failure(e.message());
    }
}

const cli::Verb verb{
    "receipt",
    "receipt DATA_DIR --key CAMPO=VALOR... [--port 0-3] [--print] [--authenticate] "
    "[--user U --password P]",
    "mostra o recibo e a linha de autenticação de uma cobrança paga; --print imprime o recibo e "
    "--authenticate autentica o documento (já colocado na impressora) pela ZupriDLL",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {"print", "authenticate"});
        args.allowOnly({"key", "port", "print", "authenticate", "user", "password"});
        const QString dataDir = args.positional(0, "DATA_DIR");
        const QList<billing::KeyValue> key = chargeKey(args);
        const int port = portItem(args);
        logOn(args, context);

        std::optional<billing::Receipt> receipt;
        try {
            const data::Database db = data::openSchoolYear(dataDir);
            data::Settings settings;
            data::loadSettings(db, settings);
            const billing::ChargeRecord record = billing::findCharge(db, key);
            receipt = billing::prepareReceipt(
                billing::receiptSource(record, billing::findStudent(db, record), settings,
                                       core::session().userName, core::today()));
        } catch (const billing::ChargeLookupError &e) {
            throw cli::Failure(e.message());
        } catch (const data::StoreError &e) {
            throw cli::Failure(e.message());
        }
        if (!receipt)
            return 1;

        for (const QString &line : receipt->lines)
            context.out << line << '\n';
        context.out << receipt->authentication << '\n';
        context.out.flush();

        if (!args.has("print") && !args.has("authenticate"))
            return 0;
        billing::ZupriTicketPrinter printer;
        billing::TicketPrintFlows flows(printer);
        flows.selectPort(port);
        bool done = true;
        if (args.has("print"))
            done = flows.printReceipt(receipt->lines) && done;
        if (args.has("authenticate"))
            done = flows.authenticate(receipt->authentication) && done;
        return done ? 0 : 1;
    }};

} // namespace
