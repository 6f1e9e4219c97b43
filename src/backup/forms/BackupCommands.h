#pragma once

namespace app {
class CommandHost;
struct ModuleServices;
} // namespace app

namespace backup {

// The "Back-Ups" button: the backup screen, and the end of the session after a restore.
void installCommands(app::CommandHost &host, const app::ModuleServices &services);

} // namespace backup
