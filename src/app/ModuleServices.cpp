#include "app/ModuleServices.h"

#include "core/Dialogs.h"
#include "core/Session.h"
#include "core/Shell.h"

namespace app {

// The process-wide services may be replaced (tests, the command line), so they are read at use.
core::Session &ModuleServices::session() const
{
    return core::session();
}

core::Dialogs &ModuleServices::dialogs() const
{
    return core::dialogs();
}

core::Shell &ModuleServices::shell() const
{
    return core::shell();
}

} // namespace app
