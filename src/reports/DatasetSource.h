#pragma once

#include "reports/engine/DataSource.h"

namespace data {
class Dataset;
}

namespace reports {

// A table or query of the store as the rows of a report. The dataset must be open; the report
// moves its cursor.
class DatasetSource : public DataSource
{
public:
    explicit DatasetSource(data::Dataset &dataset) : m_dataset(dataset) {}

    void first() override;
    void next() override;
    bool eof() const override;
    QStringList fieldNames() const override;
    QVariant value(const QString &field) const override;

private:
    data::Dataset &m_dataset;
};

} // namespace reports
