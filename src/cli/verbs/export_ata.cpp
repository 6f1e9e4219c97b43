// export-ata: the minutes of final results as the semicolon text file of "&Gerar Arquivo".

#include "cli/Verb.h"
#include "core/Clock.h"
#include "core/TextFile.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/StoreError.h"
#include "export/AtaExport.h"

#include <QDir>

namespace {

const cli::Verb verb{
    "export-ata", "export-ata DATA_DIR [--class TURMA] [--keep-leavers] --out ARQUIVO",
    "grava a Ata de Resultados Finais como arquivo texto separado por \";\" (Windows-1252, CR LF) "
    "de todas as turmas ou da turma; sem --keep-leavers deixa de fora desistentes e transferidos",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {QStringLiteral("keep-leavers")});
        args.allowOnly({QStringLiteral("class"), QStringLiteral("keep-leavers"), QStringLiteral("out")});
        const QString dataDir = args.positional(0, QStringLiteral("DATA_DIR"));
        const QString out = args.value(QStringLiteral("out"));
        if (out.isEmpty())
            throw cli::Failure(QStringLiteral("falta --out ARQUIVO"), 2);
        reports::AtaSelection selection;
        selection.classCode = args.value(QStringLiteral("class"));
        selection.skipLeavers = !args.has(QStringLiteral("keep-leavers"));
        selection.onlyMarked = false;
        try {
            const data::Database db = data::openSchoolYear(dataDir);
            QString error;
            if (!core::writeTextLines(out, exporting::ataExportLines(db, selection, core::today()), &error))
                throw cli::Failure(cli::oneLine(error));
        } catch (const data::StoreError &e) {
            throw cli::Failure(cli::oneLine(e.message()));
        }
        context.out << QDir::toNativeSeparators(out) << '\n';
        return 0;
    }};

} // namespace
