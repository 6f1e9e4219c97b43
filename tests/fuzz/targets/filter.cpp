// The datasets' filter language, as typed in a report dialog: parsed, bound to a table's fields,
// turned into SQL and evaluated on a row.
#include "data/store/Filter.h"
#include "data/store/StoreError.h"
#include "fuzz/FuzzInput.h"

#include <QDate>

using namespace data;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QList<DatasetField> fields = {
        {QStringLiteral("NOME"), FieldType::Text, 60},
        {QStringLiteral("MATRICULA"), FieldType::Float},
        {QStringLiteral("NASC"), FieldType::Date},
        {QStringLiteral("ATIVO"), FieldType::Logical},
        {QStringLiteral("NUM"), FieldType::Long},
    };
    static const QVariantList row = {QStringLiteral("JOÃO D'ÁVILA"), 1234.0,
                                     QDate(2010, 3, 1), true, 7};
    try {
        std::unique_ptr<FilterExpression> filter = FilterExpression::parse(fuzz::text(data, size));
        filter->prepare(fields);
        QVariantList values;
        (void)filter->toSql(values);
        (void)filter->matches(row);
    } catch (const StoreError &) {
        // a refusal with the store's message is the expected answer to a bad filter
    }
    return 0;
}
