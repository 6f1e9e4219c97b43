// report: lays out a report of the program's registry without windows; --pdf writes it as PDF,
// --dump lists its items; "report --help" lists the reports with their menu entries and
// parameters.

#include "app/MainCommands.h"
#include "app/ProgramReports.h"
#include "cli/ConsoleReporter.h"
#include "cli/KeyValue.h"
#include "cli/Verb.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "reports/engine/PdfExport.h"

namespace {

void printReports(QTextStream &out)
{
    out << "Relatórios (lumesco-cli report PASTA_DADOS NOME [--PARAMETRO VALOR | --param NOME=VALOR]...):\n";
    for (const reports::ReportEntry &entry : app::programReports().entries()) {
        // A report printed from its module's window (the cash book's) goes by its title.
        const QString where = entry.menuEntry.isEmpty() ? entry.dialogCaption : app::menuPath(entry.menuEntry);
        out << "  " << entry.name.leftJustified(20) << ' ' << where << '\n';
        for (const reports::ReportParam &param : entry.params) {
            const QString fallback = reports::ReportValues({param}).text(param.name);
            const QString option = param.kind == reports::ParamKind::Flag ? QStringLiteral("--%1").arg(param.name)
                                                                          : QStringLiteral("--%1 VALOR").arg(param.name);
            out << "      " << option.leftJustified(24) << ' ' << param.label.trimmed() << " ("
                << reports::describeKind(param)
                << (fallback.isEmpty() ? QString() : QStringLiteral("; padrão: ") + fallback) << ")\n";
        }
    }
}

const cli::Verb verb{
    "report", "report PASTA_DADOS NOME [--PARAMETRO VALOR]... [--param NOME=VALOR]... [--pdf SAIDA.pdf] [--dump] | report --help",
    "gera o relatório NOME; --pdf grava o PDF, --dump lista cada item (página, x, y, estilo, texto; "
    "posições em décimos de milímetro); --help lista os relatórios, suas entradas no menu e parâmetros",
    [](const QStringList &arguments, cli::Context &context) {
        const QStringList fixedFlags{QStringLiteral("dump"), QStringLiteral("help")};
        if (cli::Args(arguments, fixedFlags).has(QStringLiteral("help"))) {
            printReports(context.out);
            return 0;
        }
        const QString name = cli::Args(arguments, fixedFlags).positional(1, QStringLiteral("NOME"));
        const reports::ReportEntry *entry = app::programReports().find(name);
        if (!entry) {
            throw cli::Failure(QStringLiteral("relatório desconhecido: %1 (relatórios: %2)")
                                   .arg(name, app::programReports().names().join(QStringLiteral(", "))),
                               2);
        }
        // Each parameter of the report is also an option of its own name ("--from 01/03/2026"),
        // a yes/no one a bare flag ("--photo"); "--param NAME=VALUE" stays for scripts.
        QStringList flags = fixedFlags;
        QStringList known{QStringLiteral("pdf"), QStringLiteral("dump"), QStringLiteral("param"), QStringLiteral("help")};
        for (const reports::ReportParam &param : entry->params) {
            known << param.name;
            if (param.kind == reports::ParamKind::Flag)
                flags << param.name;
        }
        const cli::Args args(arguments, flags);
        args.allowOnly(known);
        const QString dataDir = args.positional(0, QStringLiteral("PASTA_DADOS"));
        const data::Database db = data::openSchoolYear(dataDir);
        data::Settings settings;
        data::loadSettings(db, settings);
        reports::ReportValues values(entry->params);
        try {
            for (const reports::ReportParam &param : entry->params) {
                if (args.has(param.name)) {
                    // A text option given several times ("--student 12 --student 15") keeps them all.
                    const QString value = param.kind == reports::ParamKind::Flag ? QStringLiteral("S")
                                          : param.kind == reports::ParamKind::Text
                                              ? args.values(param.name).join(u' ')
                                              : args.value(param.name);
                    values.set(param.name, value, db);
                }
            }
            for (const cli::KeyValue &param : cli::keyValues(args.values(QStringLiteral("param")),
                                                             QStringLiteral("--param NOME=VALOR")))
                values.set(param.key, param.value, db);
        } catch (const reports::ReportParamError &e) {
            throw cli::Failure(e.message(), 2);
        }
        // Only once every option has been understood: preparing may write (the ranking).
        if (entry->prepare) {
            // The run's messages go to standard error, so that --dump alone fills standard output.
            cli::ConsoleReporter reporter(context.err, context.err, cli::standardErrorIsTerminal());
            if (!entry->prepare(db, reporter))
                throw cli::Failure(QStringLiteral("%1: a preparação do relatório falhou").arg(name), 1);
        }
        reports::Document document;
        try {
            document = entry->build({db, reports::SchoolInfo::fromSettings(settings), values});
        } catch (const reports::ReportParamError &e) {
            throw cli::Failure(e.message(), 2);
        }
        const QString pdf = args.value(QStringLiteral("pdf"));
        if (!pdf.isEmpty()) {
            QString error;
            if (!reports::writePdf(document, pdf, &error))
                throw cli::Failure(error.replace(u'\r', u' '));
        }
        if (args.has(QStringLiteral("dump")))
            context.out << document.dump();
        context.err << document.title << ": " << document.pageCount()
                    << (document.pageCount() == 1 ? " página" : " páginas") << '\n';
        return 0;
    }};

} // namespace
