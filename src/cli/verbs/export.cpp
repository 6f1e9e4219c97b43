// export: the file the window "Exportar Tabelas para formato Texto" writes for one entry.

#include "cashbook/TableExport.h"
#include "cli/Verb.h"
#include "core/SemicolonExport.h"
#include "core/TextFile.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/bulk/DatasetRows.h"
#include "data/store/Query.h"
#include "data/store/StoreError.h"

#include <QDir>

namespace {

QString entryList()
{
    QStringList texts;
    for (cashbook::ExportEntry entry : cashbook::exportEntries())
        texts += u'"' + cashbook::exportEntryText(entry) + u'"';
    return texts.join(QStringLiteral(", "));
}

const cli::Verb verb{
    "export", "export DATA_DIR ENTRADA [--from DD/MM/AAAA --to DD/MM/AAAA]",
    "grava na pasta atual o arquivo \"<entrada>.csv\" da janela Exportar Tabelas para formato "
    "Texto (ENTRADA: 01 a 04 ou o texto da entrada; o período vale para 03, sem ele todo o caixa) "
    "e mostra o caminho do arquivo",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {});
        args.allowOnly({QStringLiteral("from"), QStringLiteral("to")});
        const QString dataDir = args.positional(0, QStringLiteral("DATA_DIR"));
        const QString name = args.positional(1, QStringLiteral("ENTRADA"));
        const std::optional<cashbook::ExportEntry> entry = cashbook::exportEntryByName(name);
        if (!entry)
            throw cli::Failure(QStringLiteral("entrada desconhecida: %1 (entradas: %2)").arg(name, entryList()), 2);
        if (!cashbook::loadsRows(*entry))
            throw cli::Failure(QStringLiteral("a entrada \"%1\" não tem registros para exportar")
                                   .arg(cashbook::exportEntryText(*entry)));
        cashbook::Period period = cashbook::wholeBook();
        if (args.has(QStringLiteral("from")) || args.has(QStringLiteral("to"))) {
            QString error;
            const std::optional<cashbook::Period> typed = cashbook::periodFromTexts(
                args.value(QStringLiteral("from")), args.value(QStringLiteral("to")), &error);
            if (!typed)
                throw cli::Failure(error, 2);
            period = *typed;
        }
        const QString path = QDir::current().filePath(cashbook::exportFileName(*entry));
        try {
            const data::Database db = data::openSchoolYear(dataDir);
            data::Query rows(db);
            cashbook::selectEntryRows(rows, *entry, period);
            rows.open();
            cashbook::applyExportFormats(rows);
            QString error;
            if (!core::writeTextLines(path, core::semicolonLines(data::semicolonRows(rows)), &error))
                throw cli::Failure(cli::oneLine(error));
        } catch (const data::StoreError &e) {
            throw cli::Failure(cli::oneLine(e.message()));
        }
        context.out << QDir::toNativeSeparators(path) << '\n';
        return 0;
    }};

} // namespace
