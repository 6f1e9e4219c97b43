#include "core/Session.h"

namespace core {

void Session::clearUser()
{
    userName.clear();
    supervisor = false;
    rights = Rights();
}

Session &session()
{
    static Session s;
    return s;
}

} // namespace core
