#include "data/store/MemTable.h"

#include "data/store/Collation.h"

#include <algorithm>

namespace data {

MemTable::MemTable(QObject *parent) : Dataset(parent) {}

MemTable::MemTable(const QString &name, QObject *parent) : Dataset(parent), m_name(name) {}

MemTable::~MemTable() = default;

QString MemTable::displayName() const
{
    return m_name.isEmpty() ? QStringLiteral("tabela em memória") : m_name;
}

void MemTable::addField(const QString &name, FieldType type, int size, bool required)
{
    requireClosed("Campo");
    m_defs.append(FieldDef{name, type, size, required});
}

void MemTable::setFields(const QList<FieldDef> &fields)
{
    requireClosed("Campos");
    m_defs = fields;
}

void MemTable::setIndexFields(const QString &fieldList)
{
    m_sortFields = fieldList.split(u';', Qt::SkipEmptyParts);
    for (QString &f : m_sortFields)
        f = f.trimmed();
    if (isOpen()) {
        sortFields(); // unknown names fail here
        checkBrowseMode();
        reload(true);
    }
}

QList<MemTable::SortField> MemTable::sortFields() const
{
    QList<SortField> out;
    for (QString name : m_sortFields) {
        bool descending = false;
        if (name.endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive)) {
            descending = true;
            name.chop(5);
        }
        out.append({resolve(name.trimmed()), descending});
    }
    return out;
}

QList<int> MemTable::orderFieldPositions() const
{
    QList<int> positions;
    for (const SortField &s : sortFields())
        positions.append(s.field);
    return positions;
}

void MemTable::openSource(QList<DatasetField> &storedFields)
{
    for (const FieldDef &f : m_defs) {
        DatasetField field;
        field.name = f.name;
        field.type = f.type;
        field.size = f.size;
        field.required = f.required;
        storedFields.append(field);
    }
}

void MemTable::loadRows(std::vector<RowPtr> &rows)
{
    rows = allRows();
    std::sort(rows.begin(), rows.end(), [](const RowPtr &a, const RowPtr &b) { return a->id < b->id; });
    if (hasOrder())
        sortRows(rows);
}

void MemTable::sortRows(std::vector<RowPtr> &rows)
{
    const QList<SortField> keys = sortFields();
    const QList<DatasetField> &defs = fields();
    std::stable_sort(rows.begin(), rows.end(), [&](const RowPtr &a, const RowPtr &b) {
        for (const SortField &k : keys) {
            const QVariant &x = a->values.at(k.field);
            const QVariant &y = b->values.at(k.field);
            int c;
            if (x.isNull() || y.isNull()) {
                c = int(!x.isNull()) - int(!y.isNull());
            } else if (defs[k.field].type == FieldType::Text || defs[k.field].type == FieldType::Memo) {
                c = collation::compare(x.toString(), y.toString());
            } else if (defs[k.field].type == FieldType::Date) {
                c = x.toDate() < y.toDate() ? -1 : x.toDate() > y.toDate() ? 1 : 0;
            } else {
                c = x.toDouble() < y.toDouble() ? -1 : x.toDouble() > y.toDouble() ? 1 : 0;
            }
            if (c != 0)
                return k.descending ? c > 0 : c < 0;
        }
        return false;
    });
}

void MemTable::writeInsert(Row &row)
{
    row.id = m_nextId++;
}

void MemTable::writeUpdate(const Row &, Row &) {}

void MemTable::writeDelete(const Row &) {}

void MemTable::emptyTable()
{
    if (!isOpen())
        return;
    checkBrowseMode();
    close();
    open();
}

} // namespace data
