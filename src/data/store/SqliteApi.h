#pragma once

#include <sqlite3.h>

// The SQLite functions the store calls, in one table: the programs link the system's SQLite
// library, and the store reaches it only through here.
namespace data::sqlite {

#define LUMESCO_SQLITE_FUNCTIONS(X) \
    X(prepare_v2) X(finalize) X(reset) X(clear_bindings) X(step) X(sql) \
    X(bind_null) X(bind_int64) X(bind_double) X(bind_text) X(bind_parameter_count) \
    X(bind_parameter_index) X(bind_parameter_name) \
    X(column_count) X(column_name) X(column_decltype) X(column_type) X(column_int64) \
    X(column_double) X(column_text) X(column_bytes) \
    X(changes) X(last_insert_rowid) X(errmsg) X(errcode) X(extended_errcode) X(exec) \
    X(get_autocommit) X(busy_timeout) X(create_collation_v2) X(stmt_readonly) X(total_changes) \
    X(open_v2) X(close_v2)

struct Api
{
#define LUMESCO_SQLITE_MEMBER(name) decltype(&::sqlite3_##name) name = nullptr;
    LUMESCO_SQLITE_FUNCTIONS(LUMESCO_SQLITE_MEMBER)
#undef LUMESCO_SQLITE_MEMBER
};

const Api &api();

} // namespace data::sqlite
