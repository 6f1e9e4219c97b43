#pragma once

namespace app {

class CommandHost;
struct ModuleServices;

// The upkeep of the school year's files: "Verificar Banco de Dados..." opens the integrity check.
void installMaintenanceCommands(CommandHost &host, const ModuleServices &services);

} // namespace app
