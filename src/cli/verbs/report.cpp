// report: lays a report out without windows; --pdf writes it as PDF, --dump lists its items.

#include "cli/Verb.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "reports/ReportCatalog.h"
#include "reports/engine/PdfExport.h"


namespace {

const cli::Verb verb{
    "report", "report DATA_DIR NAME [--pdf OUT.pdf] [--dump]",
    "gera o relatório NAME (disciplinas, turmas, disciplinas-turma); --pdf grava o PDF, --dump "
    "lista cada item (página, x, y, estilo, texto; posições em décimos de milímetro)",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {"dump"});
        args.allowOnly({"pdf", "dump"});
        const QString dataDir = args.positional(0, "DATA_DIR");
        const QString name = args.positional(1, "NAME");
        const QString pdf = args.value("pdf");
        // Text is measured and drawn with fonts, which Qt only offers to a GUI application.
        const data::Database db = data::openSchoolYear(dataDir);
        data::Settings settings;
        data::loadSettings(db, settings);
        const std::optional<reports::Document> document =
            reports::buildNamedReport(name, db, reports::SchoolInfo::fromSettings(settings));
        if (!document) {
            throw cli::Failure(QStringLiteral("relatório desconhecido: %1 (relatórios: %2)")
                                   .arg(name, reports::reportNames().join(QStringLiteral(", "))),
                               2);
        }
        if (!pdf.isEmpty()) {
            QString error;
            if (!reports::writePdf(*document, pdf, &error))
                throw cli::Failure(error.replace(u'\r', u' '));
        }
        if (args.has("dump"))
            context.out << document->dump();
        context.err << document->title << ": " << document->pageCount()
                    << (document->pageCount() == 1 ? " página" : " páginas") << '\n';
        return 0;
    }};

} // namespace
