#pragma once

#include <QHash>
#include <QString>
#include <optional>

namespace data {

// A description looked up by code for calculated fields ("01" -> "PORTUGUÊS"), read from its
// table once and kept until the table changes. Codes match exactly, as a key lookup does.
class LookupCache
{
public:
    LookupCache(QString databaseName, QString table, QString keyField, QString valueField);

    // Empty when the code is unknown or the table can't be read.
    QString value(const QString &key);
    void invalidate() { m_values.reset(); }

private:
    QString m_databaseName;
    QString m_table;
    QString m_keyField;
    QString m_valueField;
    std::optional<QHash<QString, QString>> m_values;
};

} // namespace data
