#include "reports/engine/Record.h"

namespace reports {

FieldIndex::FieldIndex(const QStringList &names) : m_names(names)
{
    for (int i = 0; i < names.size(); ++i)
        m_byName.insert(names.at(i).toLower(), i);
}

int FieldIndex::indexOf(const QString &name) const
{
    return m_byName.value(name.toLower(), -1);
}

Record::Record(std::shared_ptr<const FieldIndex> fields, QVariantList values)
    : m_fields(std::move(fields)), m_values(std::move(values))
{
}

QVariant Record::value(const QString &field) const
{
    return value(indexOf(field));
}

QVariant Record::value(int index) const
{
    return index >= 0 && index < m_values.size() ? m_values.at(index) : QVariant();
}

int Record::indexOf(const QString &field) const
{
    return m_fields ? m_fields->indexOf(field) : -1;
}

QStringList Record::fieldNames() const
{
    return m_fields ? m_fields->names() : QStringList();
}

} // namespace reports
