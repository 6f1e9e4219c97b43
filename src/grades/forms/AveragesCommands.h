#pragma once

namespace app {
class CommandHost;
struct ModuleServices;
} // namespace app

namespace grades {

// The averages in the academic data module, and the menu entries "Recalcular Médias das
// Unidades", "Recalcular Médias Consolidadas" and "Calcular Colocação do Aluno".
void installAverageCommands(app::CommandHost &host, const app::ModuleServices &services);

} // namespace grades
