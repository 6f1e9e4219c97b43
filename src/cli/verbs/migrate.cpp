// migrate: copies a whole school year between a folder and a server year, either way.

#include "cli/Verb.h"
#include "data/maintenance/YearMigration.h"
#include "data/store/Database.h"
#include "data/store/StoreError.h"

namespace {

const cli::Verb verb{
    "migrate", "migrate DE PARA [--only TABELA]...",
    "copia um ano letivo inteiro (ou só as tabelas de --only, como Usuarios) de uma pasta para um ano "
    "no servidor (postgresql://servidor/escola?ano=2026), ou de volta, conferindo registros e somas",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {});
        args.allowOnly({"only"});
        const QString from = args.positional(0, "DE");
        const QString to = args.positional(1, "PARA");
        const data::Database source = data::Database::open(from, data::Database::Access::ReadOnly);
        const data::Database target = data::Database::open(to);
        if (source == target)
            throw cli::Failure(QStringLiteral("origem e destino são o mesmo lugar"), 2);
        qint64 rows = 0;
        const QList<data::MigratedTable> tables = data::migrateSchoolYear(source, target, data::MigrationMode::IntoEmpty, args.values("only"));
        for (const data::MigratedTable &t : tables) {
            context.out << t.name << ": " << t.rows << " registros, soma " << t.checksum.left(16) << '\n';
            rows += t.rows;
        }
        context.out << tables.size() << " tabelas, " << rows << " registros copiados para " << target.directory() << '\n';
        return 0;
    }};

} // namespace
