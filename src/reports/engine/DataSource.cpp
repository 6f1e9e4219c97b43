#include "reports/engine/DataSource.h"

namespace reports {

RecordList::RecordList(const QStringList &fieldNames)
    : m_fields(std::make_shared<FieldIndex>(fieldNames))
{
}

void RecordList::append(const QVariantList &values)
{
    m_rows.append(values);
}

void RecordList::first()
{
    m_position = 0;
}

void RecordList::next()
{
    if (m_position < m_rows.size())
        ++m_position;
}

bool RecordList::eof() const
{
    return m_position >= m_rows.size();
}

QStringList RecordList::fieldNames() const
{
    return m_fields->names();
}

QVariant RecordList::value(const QString &field) const
{
    if (eof())
        return {};
    return m_rows.at(m_position).value(m_fields->indexOf(field));
}

} // namespace reports
