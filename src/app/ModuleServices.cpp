#include "app/ModuleServices.h"

#include "core/Dialogs.h"
#include "core/ProgramDirs.h"
#include "core/Session.h"
#include "core/Shell.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"

namespace app {

// The process-wide services may be replaced (tests, the command line), and the school year
// changes at every log-on, so everything is read at use.
data::Database ModuleServices::database() const
{
    return data::Database::named(QString::fromLatin1(data::kMainDatabaseName));
}

core::Session &ModuleServices::session() const
{
    return core::session();
}

const data::Settings &ModuleServices::settings() const
{
    return data::settings();
}

const core::ProgramDirs &ModuleServices::programDirs() const
{
    return core::programDirs();
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
