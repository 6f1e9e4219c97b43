#include "reports/DatasetSource.h"

#include "data/store/Dataset.h"

namespace reports {

void DatasetSource::first()
{
    m_dataset.first();
}

void DatasetSource::next()
{
    m_dataset.next();
}

bool DatasetSource::eof() const
{
    return m_dataset.eof();
}

QStringList DatasetSource::fieldNames() const
{
    QStringList names;
    for (const data::DatasetField &field : m_dataset.fields())
        names.append(field.name);
    return names;
}

QVariant DatasetSource::value(const QString &field) const
{
    return m_dataset.hasField(field) ? m_dataset.value(field) : QVariant();
}

} // namespace reports
