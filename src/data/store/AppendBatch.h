#pragma once

#include "data/store/Database.h"

namespace data {

class PgConnection;

// While it lives, rows appended to a server year inside a transaction (Table posts of new rows,
// INSERTs whose values are all marks) are held and sent together, thousands at a time, instead
// of one round trip each: a copy of a whole year, a restore, a generation that stands or falls
// as a whole. The price: a row the server refuses is reported by the next statement (at the
// latest by the commit), with the message its own INSERT would have given; the other rows are
// written. So only work that stops as a whole when any row fails uses it, never a row that may
// fail alone and be noted (BulkRun::row is safe, its release sends the rows;
// BulkRun::singleWriteRow is not). On a school-year file it changes nothing.
class AppendBatch
{
public:
    explicit AppendBatch(const Database &db);
    // Rows still held go with the next statement.
    ~AppendBatch();
    AppendBatch(const AppendBatch &) = delete;
    AppendBatch &operator=(const AppendBatch &) = delete;

    // Sends the rows held so far; throws StoreError when the server refused one.
    void send();

private:
    Database m_db; // keeps the connection alive
    PgConnection *m_connection = nullptr;
};

} // namespace data
