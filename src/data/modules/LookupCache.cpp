#include "data/modules/LookupCache.h"

#include "core/Diagnostics.h"
#include "data/store/Query.h"

namespace data {

LookupCache::LookupCache(QString databaseName, QString table, QString keyField, QString valueField)
    : m_databaseName(std::move(databaseName)), m_table(std::move(table)),
      m_keyField(std::move(keyField)), m_valueField(std::move(valueField))
{
}

QString LookupCache::value(const QString &key)
{
    if (!m_values) {
        QHash<QString, QString> values;
        try {
            Query query(m_databaseName);
            query.setSql(QStringLiteral("select %1, %2 from %3").arg(m_keyField, m_valueField, m_table));
            query.open();
            for (query.first(); !query.eof(); query.next())
                values.insert(query.asText(0), query.asText(1));
        } catch (const std::exception &e) {
            // The table is missing or unreadable: descriptions stay blank until the next
            // invalidate() (a refresh or another log-on).
            qCWarning(core::lcRules) << m_table << "não pôde ser lida para as descrições:" << e.what();
            values.clear();
        }
        m_values = std::move(values);
    }
    return m_values->value(key);
}

} // namespace data
