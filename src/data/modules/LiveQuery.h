#pragma once

#include "data/store/Query.h"

namespace data {

// An editable "select * from <table>" kept open beside its table, that the session's rights
// may make read-only like the tables; it never adds rows.
class LiveQuery : public Query
{
    Q_OBJECT

public:
    LiveQuery(const QString &databaseName, const QString &sql, QObject *parent = nullptr);

    // Before opening, as for tables.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const override;

private:
    bool m_forcedReadOnly = false;
};

} // namespace data
