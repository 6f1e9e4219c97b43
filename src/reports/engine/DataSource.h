#pragma once

#include "reports/engine/Record.h"

#include <QList>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace reports {

// The rows a report runs over: a cursor with typed values by field name. A store dataset is
// wrapped by a small adapter; RecordList holds rows in memory.
class DataSource
{
public:
    virtual ~DataSource() = default;
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;
    virtual QStringList fieldNames() const = 0;
    // The current row's value; an invalid QVariant for a field the source does not have.
    virtual QVariant value(const QString &field) const = 0;
};

class RecordList : public DataSource
{
public:
    explicit RecordList(const QStringList &fieldNames);

    // Values in the order of the field names; missing trailing values are empty.
    void append(const QVariantList &values);
    int size() const { return m_rows.size(); }

    void first() override;
    void next() override;
    bool eof() const override;
    QStringList fieldNames() const override;
    QVariant value(const QString &field) const override;

private:
    std::shared_ptr<const FieldIndex> m_fields;
    QList<QVariantList> m_rows;
    int m_position = 0;
};

} // namespace reports
