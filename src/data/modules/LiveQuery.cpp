#include "data/modules/LiveQuery.h"

namespace data {

LiveQuery::LiveQuery(const QString &databaseName, const QString &sql, QObject *parent)
    : Query(databaseName, parent)
{
    setSql(sql);
    // Rows are never added through the query: every insert is called off at once.
    events.beforeInsert = [](Dataset &) { throw Abort(); };
}

void LiveQuery::setReadOnly(bool readOnly)
{
    requireClosed("Somente leitura");
    m_forcedReadOnly = readOnly;
}

bool LiveQuery::isReadOnly() const
{
    return m_forcedReadOnly || Query::isReadOnly();
}

} // namespace data
