// charges: the students' current account without windows — the monthly-fee and other-charge
// generators, receiving a payment with fine and interest, the billing window's views with their
// totals and export, the verification stamp and the deletion of every charge. Run as a user,
// with that user's rights and the charge rows' ownership rule.

#include "billing/account/ChargeView.h"
#include "billing/account/PaymentCalculation.h"
#include "billing/generators/ChargeGenerators.h"
#include "billing/import/ChargeImport.h"
#include "billing/receipt/ChargeLookup.h"
#include "cli/DataPlace.h"
#include "cli/ConsoleReporter.h"
#include "cli/KeyValue.h"
#include "cli/RowScript.h"
#include "core/Clock.h"
#include "core/Formats.h"
#include "core/Session.h"
#include "data/modules/ChargeRules.h"
#include "data/modules/TDataModule1.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/ExternalTable.h"
#include "data/store/Table.h"

#include <QDir>

namespace {

using cli::Failure;

const QString kCarnesOnly = QStringLiteral("o usuário não tem acesso à Cobrança (direito Carnes)");

QString option(const cli::Args &args, const char *name, const QString &fallback = QString())
{
    return args.value(QString::fromLatin1(name), fallback);
}

QDate dateOption(const cli::Args &args, const char *name, const QDate &fallback)
{
    if (!args.has(QString::fromLatin1(name)))
        return fallback;
    const std::optional<QDate> date = core::parseDate(option(args, name));
    if (!date)
        throw Failure(QStringLiteral("--%1 espera DD/MM/AAAA: %2").arg(QString::fromLatin1(name), option(args, name)), 2);
    return *date;
}

int intOption(const cli::Args &args, const char *name, int fallback, int low, int high)
{
    if (!args.has(QString::fromLatin1(name)))
        return fallback;
    bool ok = false;
    const int value = option(args, name).toInt(&ok);
    if (!ok || value < low || value > high)
        throw Failure(QStringLiteral("--%1 vai de %2 a %3: %4").arg(QString::fromLatin1(name)).arg(low).arg(high).arg(option(args, name)), 2);
    return value;
}

QString numberOption(const cli::Args &args, const char *name, const QString &fallback)
{
    const QString text = option(args, name, fallback);
    if (!core::parseNumber(text))
        throw Failure(QStringLiteral("--%1: %2").arg(QString::fromLatin1(name), core::invalidNumberMessage(text)), 2);
    return text;
}

billing::StudentSelection selection(const cli::Args &args)
{
    billing::StudentSelection chosen;
    if (args.has(QStringLiteral("class")) && args.has(QStringLiteral("student")))
        throw Failure(QStringLiteral("use --class ou --student, não os dois"), 2);
    if (args.has(QStringLiteral("class"))) {
        chosen.kind = billing::StudentSelection::Kind::Class;
        chosen.classCode = option(args, "class").trimmed().toUpper();
    } else if (args.has(QStringLiteral("student"))) {
        chosen.kind = billing::StudentSelection::Kind::List;
        for (const QString &text : args.values(QStringLiteral("student"))) {
            const std::optional<qint64> number = core::parseInteger(text);
            if (!number)
                throw Failure(QStringLiteral("--student espera um número de matrícula: %1").arg(text), 2);
            chosen.numbers << *number;
        }
    }
    return chosen;
}

void requireCarnes(bool supervisorOnly = false)
{
    const core::Session &s = core::session();
    if (supervisorOnly ? !s.supervisor : !s.rights.carnes)
        throw Failure(supervisorOnly ? QStringLiteral("apenas o Supervisor apaga todas as cobranças") : kCarnesOnly);
}

data::Table &openCharges(data::ScriptSession &session)
{
    data::Table &charges = session.academic().tblCCorrent();
    if (!charges.isOpen()) {
        charges.setIndexName(QStringLiteral("kTurma"));
        charges.open();
    }
    return charges;
}

int fees(const cli::Args &args, cli::Context &context, cli::RowScript &script)
{
    data::ScriptSession &session = script.open();
    requireCarnes();
    data::Settings settings = data::Settings::defaults(core::session().schoolYear);
    data::loadSettings(session.database(), settings);
    billing::MonthlyFeeRequest request;
    request.students = selection(args);
    request.month = intOption(args, "month", 0, 1, 12);
    request.dueDay = intOption(args, "due-day", settings.Data_Venc, 1, 31);
    request.fine = numberOption(args, "fine", request.fine);
    request.discount = numberOption(args, "discount", request.discount);
    request.discountPercent = args.has(QStringLiteral("percent"));
    request.otherDueDates = !args.has(QStringLiteral("no-other-due-dates"));
    request.overdue = args.has(QStringLiteral("overdue"));
    request.ignoreRegisterDate = args.has(QStringLiteral("ignore-register-date"));
    cli::ConsoleReporter reporter(context);
    billing::generateMonthlyFees(openCharges(session), request,
                                 {core::session().schoolYear, settings.Juros, settings.Data_Venc, core::today()},
                                 reporter);
    return reporter.exitStatus();
}

int other(const cli::Args &args, cli::Context &context, cli::RowScript &script)
{
    billing::OtherChargeRequest request;
    request.due = dateOption(args, "due", QDate());
    if (!request.due.isValid())
        throw Failure(QStringLiteral("informe o vencimento com --due DD/MM/AAAA"), 2);
    const QString kind = option(args, "kind");
    for (const QString &entry : billing::otherChargeKinds()) {
        if (entry == kind || entry.left(1) == kind)
            request.kindEntry = entry;
    }
    if (request.kindEntry.isEmpty())
        throw Failure(QStringLiteral("--kind: um de %1").arg(billing::otherChargeKinds().join(QStringLiteral(", "))), 2);
    request.value = numberOption(args, "value", QString());
    request.description = option(args, "description").left(30);
    request.discount = numberOption(args, "discount", request.discount);
    request.discountPercent = args.has(QStringLiteral("percent"));
    request.students = selection(args);
    data::ScriptSession &session = script.open();
    requireCarnes();
    cli::ConsoleReporter reporter(context);
    billing::generateOtherCharges(openCharges(session), request, reporter);
    return reporter.exitStatus();
}

int receive(const cli::Args &args, cli::Context &context, cli::RowScript &script)
{
    QList<billing::KeyValue> key;
    for (const cli::KeyValue &pair : cli::keyValues(args.values(QStringLiteral("key")), QStringLiteral("--key CAMPO=VALOR")))
        key.append({pair.key, pair.value});
    if (key.isEmpty())
        throw Failure(QStringLiteral("informe a cobrança com --key CAMPO=VALOR"), 2);
    const int means = intOption(args, "means", 0, 0, 4);
    data::ScriptSession &session = script.open();
    data::Settings settings = data::Settings::defaults(core::session().schoolYear);
    data::loadSettings(session.database(), settings);

    billing::ChargeRecord record;
    try {
        record = billing::findCharge(session.database(), key);
    } catch (const billing::ChargeLookupError &e) {
        throw Failure(e.message());
    }
    data::Table &charges = openCharges(session);
    if (!charges.locate(QStringLiteral("Matricula;Tipo;ParcelaNum;ParcelaData"),
                        {record.matricula, record.charge.tipo, record.charge.parcelaNum, record.charge.parcelaData}))
        throw Failure(QStringLiteral("cobrança não encontrada"));
    if (!billing::mayReceive(charges.asText("STATUS2")))
        throw Failure(billing::kSupervisorOnlyMessage);

    billing::PaymentInputs in;
    in.due = record.charge.parcelaData;
    in.paid = dateOption(args, "on", core::today());
    const billing::PaymentDateEffect effect = billing::paymentDateEffect(in.due, in.paid);
    in.value = billing::plainAmount(record.charge.parcelaValor);
    in.discount = billing::plainAmount(record.charge.descontoFixo + record.charge.descontoEventual);
    in.fine = numberOption(args, "fine", effect.resetFine ? QStringLiteral("0,0") : QStringLiteral("2,0"));
    in.interest = numberOption(args, "interest", core::formatNumber(settings.Juros, QStringLiteral("0.00")));
    in.includePaymentDay = args.has(QStringLiteral("include-payment-day"));
    in.grantDiscount = effect.discountGranted || args.has(QStringLiteral("grant-discount"));
    const billing::PaymentResult result = billing::computePayment(in);

    core::SemicolonTable shown;
    shown.fieldNames = {QStringLiteral("DIAS"), QStringLiteral("ACRESCIMOS"), QStringLiteral("VALOR_A_RECEBER")};
    shown.rows = {{QString::number(result.days), billing::plainAmount(result.additions), billing::plainAmount(result.amount)}};
    cli::printRows(context.out, shown);
    if (args.has(QStringLiteral("dry-run")))
        return 0;
    if (result.amount.isZero())
        throw Failure(QStringLiteral("valor a receber zero: nada gravado"));
    if (!billing::postPayment(charges, result, in.paid, means))
        throw Failure(billing::kSaveFailedMessage);
    core::SemicolonTable row;
    row.fieldNames = data::fieldNames(charges);
    row.rows = {data::rowTexts(charges)};
    cli::printRows(context.out, row);
    return 0;
}

int list(const cli::Args &args, cli::Context &context, cli::RowScript &script)
{
    const QString kind = option(args, "kind", QStringLiteral("Todos"));
    if (!billing::chargeKindEntries().contains(kind))
        throw Failure(QStringLiteral("--kind: um de %1").arg(billing::chargeKindEntries().join(QStringLiteral(", "))), 2);
    const QString viewText = option(args, "view", QStringLiteral("Todos"));
    const std::optional<billing::ChargeView> view = billing::chargeViewOf(viewText);
    if (!view)
        throw Failure(QStringLiteral("--view: um de %1").arg(billing::chargeViewEntries().join(QStringLiteral(", "))), 2);
    const std::optional<QString> order = billing::chargeOrderIndex(option(args, "order", QStringLiteral("Turma")));
    if (!order)
        throw Failure(QStringLiteral("--order: um de %1").arg(billing::chargeOrderEntries().join(QStringLiteral(", "))), 2);
    const QDate date = dateOption(args, "date", core::today());
    data::ScriptSession &session = script.open();
    requireCarnes();
    data::Table &charges = openCharges(session);
    charges.setIndexName(*order);
    charges.first();
    billing::applyChargeFilter(charges, billing::viewFilter(kind, *view, date, core::today(), charges.value("Matricula")));

    core::SemicolonTable rows;
    QList<int> fields;
    for (const billing::ChargeColumn &column : billing::chargeGridColumns()) {
        rows.fieldNames << column.field.toUpper();
        fields << charges.fieldIndex(column.field);
    }
    for (int r = 0; r < charges.recordCount(); ++r) {
        QStringList line;
        for (int field : fields)
            line << charges.displayTextAt(r, field);
        rows.rows << line;
    }
    cli::printRows(context.out, rows);
    context.out << billing::totalsPanelTexts(billing::totalsInView(charges)).join(u';') << '\n';
    if (args.has(QStringLiteral("export"))) {
        const QString path = QDir::current().absoluteFilePath(billing::exportFileName(kind, viewText));
        QString error;
        if (!core::exportSemicolon(path, billing::exportTable(charges), &error))
            throw Failure(error);
    }
    return 0;
}

// The bank's or another year's booklets into the charge table; the window's questions are
// answered Yes.
int importBooklets(const cli::Args &args, cli::Context &context, cli::RowScript &script)
{
    const QString file = args.positional(2, QStringLiteral("ARQUIVO"));
    data::ScriptSession &session = script.open();
    requireCarnes();
    std::unique_ptr<data::Dataset> source;
    try {
        source = data::openExternalTable(cli::dataPlace(file), QStringLiteral("Ccorrent"));
    } catch (const data::StoreError &) {
        throw Failure(cli::oneLine(billing::kImportOpenError));
    }
    if (billing::chargeImportTablesInUse(session.academic()))
        throw Failure(cli::oneLine(billing::kImportTablesInUse));
    cli::ConsoleReporter reporter(context);
    const billing::ChargeImportResult result =
        billing::importCharges(session.database(), *source, args.has(QStringLiteral("bank")), reporter);
    if (result.outcome != core::RunOutcome::Cancelled)
        context.out << billing::readCounterText(result.read, result.total) << '\n'
                    << billing::writtenCounterText(result.written) << '\n';
    return reporter.exitStatus();
}

const cli::Verb verb{
    "charges",
    "charges fees|other|receive|list|verify|delete-all|import PASTA_DADOS [opções] [--user U --password P]\n"
    "  fees PASTA [--month N] [--class TURMA | --student N...] [--due-day DD] [--fine F] [--discount V [--percent]]\n"
    "       [--other-due-dates | --no-other-due-dates] [--overdue] [--ignore-register-date] [--redo | --no-redo]\n"
    "  other PASTA --due DD/MM/AAAA --kind K --value V [--description TEXTO] [--class TURMA | --student N...]\n"
    "       [--discount V [--percent]]\n"
    "  receive PASTA --key CAMPO=VALOR... [--on DD/MM/AAAA] [--fine F] [--interest J] [--include-payment-day]\n"
    "       [--grant-discount] [--means 0..4] [--dry-run]\n"
    "  list PASTA [--kind TEXTO] [--view TEXTO] [--date DD/MM/AAAA] [--order TEXTO] [--export]\n"
    "  verify PASTA | delete-all PASTA --yes\n"
    "  import PASTA ARQUIVO(.dbf ou Lumesco.db de outro ano) [--bank]",
    "a conta corrente dos alunos: gera mensalidades e outras cobranças, recebe pagamentos com multa e "
    "juros, lista as cobranças de uma visão com os totais, confere e apaga; importa carnês emitidos",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {"percent", "other-due-dates", "no-other-due-dates", "overdue",
                                   "ignore-register-date", "redo", "no-redo", "include-payment-day",
                                   "grant-discount", "dry-run", "export", "yes", "bank"});
        args.allowOnly({"month", "class", "student", "due-day", "fine", "discount", "percent", "other-due-dates",
                        "no-other-due-dates", "overdue", "ignore-register-date", "redo", "no-redo", "due", "kind",
                        "value", "description", "key", "on", "interest", "include-payment-day", "grant-discount",
                        "means", "dry-run", "view", "date", "order", "export", "yes", "bank", "user", "password"});
        const QString action = args.positional(0, QStringLiteral("AÇÃO"));
        const QString dataDir = cli::dataPlace(args.positional(1, QStringLiteral("PASTA_DADOS")));
        // Questions: "Deseja Refazer" is answered by --redo; the others by the action itself.
        const bool yes = action == u"fees" ? args.has(QStringLiteral("redo")) : true;
        cli::RowScript script(args, context, dataDir, yes);
        try {
            if (action == u"fees")
                return fees(args, context, script);
            if (action == u"other")
                return other(args, context, script);
            if (action == u"receive")
                return receive(args, context, script);
            if (action == u"list")
                return list(args, context, script);
            if (action == u"import")
                return importBooklets(args, context, script);
            if (action == u"verify") {
                data::ScriptSession &session = script.open();
                requireCarnes();
                data::Table &charges = openCharges(session);
                context.out << billing::verifyCharges(charges) << " cobranças conferidas\n";
                return 0;
            }
            if (action == u"delete-all") {
                if (!args.has(QStringLiteral("yes")))
                    throw Failure(QStringLiteral("confirme com --yes: ") + billing::kDeleteAllQuestion, 2);
                data::ScriptSession &session = script.open();
                requireCarnes(true);
                billing::deleteAllCharges(session.database());
                return 0;
            }
        } catch (const billing::PaymentInputError &e) {
            throw Failure(QString::fromStdString(e.what()), 2);
        } catch (const data::StoreError &e) {
            throw Failure(cli::oneLine(e.message()));
        }
        throw Failure(QStringLiteral("ação desconhecida: %1 (fees, other, receive, list, verify, delete-all, import)").arg(action), 2);
    }};

} // namespace
