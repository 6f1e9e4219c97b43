#include "data/store/MemTable.h"

#include "data/store/FieldValue.h"

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
    for (const SortField &s : m_keys)
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
    m_keys = sortFields();
    rows = allRows();
    std::sort(rows.begin(), rows.end(), [](const RowPtr &a, const RowPtr &b) { return a->id < b->id; });
    if (hasOrder())
        sortRows(rows);
}

int MemTable::compareRows(const Row &a, const Row &b) const
{
    const QList<DatasetField> &defs = fields();
    for (const SortField &k : m_keys) {
        const int c = fieldvalue::compare(defs[k.field].type, a.values.at(k.field), b.values.at(k.field));
        if (c != 0)
            return k.descending ? -c : c;
    }
    return Dataset::compareRows(a, b);
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
