#include "data/bulk/DatasetRows.h"

#include "data/store/Dataset.h"

namespace data {

core::SemicolonTable semicolonRows(const Dataset &dataset, const QList<int> &columns)
{
    QList<int> taken = columns;
    if (taken.isEmpty()) {
        for (int field = 0; field < dataset.fieldCount(); ++field)
            taken += field;
    }
    core::SemicolonTable table;
    for (int field : std::as_const(taken))
        table.fieldNames += dataset.fields().at(field).name;
    const int count = dataset.recordCount();
    table.rows.reserve(count);
    for (int position = 0; position < count; ++position) {
        QStringList row;
        row.reserve(taken.size());
        for (int field : std::as_const(taken))
            row += dataset.displayTextAt(position, field);
        table.rows += row;
    }
    return table;
}

} // namespace data
