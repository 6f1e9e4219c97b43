#include "data/store/AppendBatch.h"

#include "data/store/PgAppendQueue.h"
#include "data/store/PgConnection.h"

namespace data {

AppendBatch::AppendBatch(const Database &db) : m_db(db), m_connection(PgConnection::ofHandle(db.nativeHandle()))
{
    if (m_connection)
        m_connection->holdAppends(true);
}

AppendBatch::~AppendBatch()
{
    if (m_connection)
        m_connection->holdAppends(false);
}

void AppendBatch::send()
{
    if (m_connection)
        m_connection->appendQueue().send();
}

} // namespace data
