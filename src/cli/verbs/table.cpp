// table: a table listed through the store's own index and filter, values as the screens show them.

#include "cli/DataPlace.h"
#include "cli/Verb.h"
#include "data/bulk/DatasetRows.h"
#include "data/store/Database.h"
#include "data/store/Table.h"

namespace {

const cli::Verb verb{
    "table", "table DATA_DIR TABLE [--index NOME] [--filter EXPR] [--fields F1,F2,...]",
    "lista uma tabela pela ordem de um índice e um filtro da própria tabela",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {});
        args.allowOnly({"index", "filter", "fields"});
        const QString dir = args.positional(0, "DATA_DIR");
        const data::Database db = cli::openExistingTables(dir, data::Database::Access::ReadOnly);
        data::Table table(db, args.positional(1, "TABLE"));
        table.setReadOnly(true);
        if (args.has("index")) {
            const QString index = args.value("index");
            if (index.contains(u';'))
                table.setIndexFields(index);
            else
                table.setIndexName(index);
        }
        if (args.has("filter")) {
            table.setFilter(args.value("filter"));
            table.setFiltered(true);
        }
        table.open();

        QList<int> columns;
        for (const QString &name : args.value("fields").split(u',', Qt::SkipEmptyParts)) {
            const int field = table.fieldIndex(name.trimmed());
            if (field < 0)
                throw cli::Failure(QStringLiteral("campo desconhecido em %1: %2").arg(table.displayName(), name.trimmed()), 2);
            columns.append(field);
        }
        cli::printRows(context.out, data::semicolonRows(table, columns));
        return 0;
    }};

} // namespace
