// booklets: the fee booklets on the bank's forms without windows — each charge row of the
// chosen students due in the chosen months gets the next control number, and the slips go to
// a PDF file on the form's paper (180 x 203 mm), or nowhere (--no-printer: the numbers only,
// for booklets already printed elsewhere).

#include "billing/booklets/BookletRun.h"
#include "cli/DataPlace.h"
#include "cli/ConsoleReporter.h"
#include "cli/RowScript.h"
#include "core/Clock.h"
#include "core/Formats.h"
#include "core/Session.h"
#include "core/TextFile.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/StoreError.h"

#include <QDir>
#include <QFileInfo>

namespace {

using cli::Failure;

int monthOption(const cli::Args &args, const char *name, int fallback)
{
    const QString key = QString::fromLatin1(name);
    if (!args.has(key))
        return fallback;
    bool ok = false;
    const int month = args.value(key).toInt(&ok);
    if (!ok || month < 1 || month > 12)
        throw Failure(QStringLiteral("--%1 vai de 1 a 12: %2").arg(key, args.value(key)), 2);
    return month;
}

QString percentOption(const cli::Args &args, const char *name, const QString &fallback, const QString &mask)
{
    const QString key = QString::fromLatin1(name);
    if (!args.has(key))
        return fallback;
    const std::optional<double> value = core::parseNumber(args.value(key));
    if (!value)
        throw Failure(QStringLiteral("--%1: %2").arg(key, core::invalidNumberMessage(args.value(key))), 2);
    return core::formatNumber(*value, mask);
}

billing::StudentSelection studentOptions(const cli::Args &args)
{
    billing::StudentSelection chosen;
    if (args.has(QStringLiteral("class")) && args.has(QStringLiteral("student")))
        throw Failure(QStringLiteral("use --class ou --student, não os dois"), 2);
    if (args.has(QStringLiteral("class"))) {
        chosen.kind = billing::StudentSelection::Kind::Class;
        chosen.classCode = args.value(QStringLiteral("class")).trimmed().toUpper();
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

const cli::Verb verb{
    "booklets",
    "booklets PASTA_DADOS --start N [--from-month N] [--to-month N] [--class TURMA | --student N...]\n"
    "       [--fine F] [--interest J] [--no-discounts] (--pdf SAIDA.pdf | --no-printer) [--user U --password P]",
    "os carnês no formulário do banco: numera cada cobrança dos meses escolhidos (Nosso Nº a partir de "
    "--start) e escreve os boletos em PDF (180 x 203 mm, dois por folha), ou só numera (--no-printer)",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {"no-discounts", "no-printer"});
        args.allowOnly({"start", "from-month", "to-month", "class", "student", "fine", "interest", "no-discounts",
                        "pdf", "no-printer", "user", "password"});
        const QString dataDir = cli::dataPlace(args.positional(0, QStringLiteral("PASTA_DADOS")));
        if (args.has(QStringLiteral("pdf")) == args.has(QStringLiteral("no-printer")))
            throw Failure(QStringLiteral("escolha --pdf SAIDA.pdf ou --no-printer"), 2);
        billing::BoletoChoices choices;
        choices.bankBooklet = true;
        choices.firstNumber = args.value(QStringLiteral("start"));
        if (!billing::bookletFirstNumber(choices.firstNumber))
            throw Failure(QStringLiteral("--start espera o nº de controle inicial, de 1 a 11 dígitos: %1")
                              .arg(choices.firstNumber),
                          2);
        choices.fromMonth = monthOption(args, "from-month", 1);
        choices.toMonth = monthOption(args, "to-month", 12);
        if (choices.toMonth < choices.fromMonth)
            choices.toMonth = choices.fromMonth; // as the window raises it
        choices.students = studentOptions(args);
        choices.hideDiscounts = args.has(QStringLiteral("no-discounts"));
        choices.recordOnly = args.has(QStringLiteral("no-printer"));
        const QString pdf = args.has(QStringLiteral("pdf")) ? QFileInfo(args.value(QStringLiteral("pdf"))).absoluteFilePath() : QString();

        cli::RowScript script(args, context, dataDir, true);
        try {
            data::ScriptSession &session = script.open();
            if (!core::session().rights.carnes)
                throw Failure(QStringLiteral("o usuário não tem acesso à Cobrança (direito Carnes)"));
            data::Settings settings = data::Settings::defaults(core::session().schoolYear);
            data::loadSettings(session.database(), settings);
            choices.fineText = percentOption(args, "fine", choices.fineText, QStringLiteral("0.0"));
            choices.interestText = percentOption(args, "interest", core::formatNumber(settings.Juros, QStringLiteral("0.00")),
                                                 QStringLiteral("0.00"));
            // The message lines the window keeps in carnet.txt.
            if (const std::optional<QStringList> lines =
                    core::readTextLines(QDir(context.programDir).filePath(QStringLiteral("carnet.txt")))) {
                choices.message1 = lines->value(0).left(65);
                choices.message2 = lines->value(1).left(65);
            }
            std::unique_ptr<billing::PdfBooklet> output;
            if (!choices.recordOnly)
                output = std::make_unique<billing::PdfBooklet>(pdf);
            cli::ConsoleReporter reporter(context);
            const billing::BookletRunResult result = billing::runBooklets(
                session.database(), choices, {core::today(), settings.UF}, output.get(), reporter);
            if (result.outcome == core::RunOutcome::Completed && result.slips > 0)
                context.err << result.slips << " boleto(s), Nosso Nº até " << result.lastNumber
                            << (pdf.isEmpty() ? QString() : QStringLiteral(", em ") + pdf) << '\n';
            return reporter.exitStatus();
        } catch (const data::StoreError &e) {
            throw Failure(cli::oneLine(e.message()));
        }
    }};

} // namespace
