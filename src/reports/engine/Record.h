#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace reports {

// Field names of a data source with a case-insensitive lookup (table and field names of the
// program's tables are case-insensitive).
class FieldIndex
{
public:
    explicit FieldIndex(const QStringList &names);
    const QStringList &names() const { return m_names; }
    int indexOf(const QString &name) const; // -1 when absent

private:
    QStringList m_names;
    QHash<QString, int> m_byName;
};

// A copy of one row. The layout keeps the previous row as well as the current one, because a
// group footer prints after the cursor has already moved to the next group.
class Record
{
public:
    Record() = default;
    Record(std::shared_ptr<const FieldIndex> fields, QVariantList values);

    // An invalid QVariant when the field is absent.
    QVariant value(const QString &field) const;
    QVariant value(int index) const;
    int indexOf(const QString &field) const;
    QStringList fieldNames() const;

private:
    std::shared_ptr<const FieldIndex> m_fields;
    QVariantList m_values;
};

} // namespace reports
