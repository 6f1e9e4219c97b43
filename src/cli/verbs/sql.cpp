// sql: one SQL statement against a data directory; rows for a query, else the rows changed.

#include "cli/DataPlace.h"
#include "cli/KeyValue.h"
#include "cli/Verb.h"
#include "core/Formats.h"
#include "data/bulk/DatasetRows.h"
#include "data/store/Database.h"
#include "data/store/Query.h"

#include <QRegularExpression>

namespace {

// --param NAME=VALUE: a dd/mm/yyyy value binds as a date, anything else as text (numeric
// columns compare it as a number).
data::SqlParams parameters(const QStringList &specs)
{
    data::SqlParams params;
    for (const cli::KeyValue &param : cli::keyValues(specs, QStringLiteral("--param NOME=VALOR"))) {
        static const QRegularExpression date(QStringLiteral("^\\d{1,2}/\\d{1,2}/\\d{2,4}$"));
        if (date.match(param.value).hasMatch()) {
            const auto parsed = core::parseDate(param.value);
            if (!parsed)
                throw cli::Failure(QStringLiteral("data inválida em --param: %1=%2").arg(param.key, param.value), 2);
            params.insert(param.key, *parsed);
        } else {
            params.insert(param.key, param.value);
        }
    }
    return params;
}

bool returnsRows(const QString &statement)
{
    static const QRegularExpression query(QStringLiteral("^\\s*(select|with|values|pragma)\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    return query.match(statement).hasMatch();
}

const cli::Verb verb{
    "sql", "sql DATA_DIR STATEMENT [--param NOME=VALOR]...",
    "executa uma instrução SQL; lista as linhas de uma consulta, ou o número de linhas alteradas",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {});
        args.allowOnly({"param"});
        const data::Database db = cli::openExistingTables(args.positional(0, "DATA_DIR"), data::Database::Access::ReadWrite);
        const QString statement = args.positional(1, "STATEMENT");
        const data::SqlParams params = parameters(args.values("param"));
        if (!returnsRows(statement)) {
            context.out << db.exec(statement, params) << '\n';
            return 0;
        }
        data::Query query(db);
        query.setSql(statement);
        for (auto it = params.cbegin(); it != params.cend(); ++it)
            query.bind(it.key(), it.value());
        query.open();
        cli::printRows(context.out, data::semicolonRows(query));
        return 0;
    }};

} // namespace
