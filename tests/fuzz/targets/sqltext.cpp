// The rewriting of the program's own SQL dialect (local SQL) into the store's: tokens, statement
// splitting, the single-table test and the rewrite of table definitions.
#include "data/store/Schema.h"
#include "data/store/SqlText.h"
#include "data/store/StoreError.h"
#include "fuzz/FuzzInput.h"

using namespace data;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString sql = fuzz::text(data, size);
    try {
        (void)sqltext::join(sqltext::tokenize(sql));
        for (const QString &statement : sqltext::splitStatements(sql)) {
            QString alias;
            (void)sqltext::singleTableSelectAll(statement, &alias);
            (void)sqltext::rewrite(statement, [](const FieldDef &) { return QStringLiteral("TEXT"); });
        }
    } catch (const StoreError &) {
    }
    return 0;
}
