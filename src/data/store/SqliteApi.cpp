#include "data/store/SqliteApi.h"

namespace data::sqlite {

const Api &api()
{
    static const Api linked = [] {
        Api functions;
#define LUMESCO_SQLITE_LINK(name) functions.name = &::sqlite3_##name;
        LUMESCO_SQLITE_FUNCTIONS(LUMESCO_SQLITE_LINK)
#undef LUMESCO_SQLITE_LINK
        return functions;
    }();
    return linked;
}

} // namespace data::sqlite
