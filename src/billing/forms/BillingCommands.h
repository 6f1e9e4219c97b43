#pragma once

namespace app {
class CommandHost;
struct ModuleServices;
} // namespace app

namespace billing {

// The "Cobrança" button opens the billing window ("Pagamentos"); "&s. Emissão de Contratos"
// writes the contracts; the "Mensalidades" reports and spreadsheets.
void installCommands(app::CommandHost &host, const app::ModuleServices &services);

} // namespace billing
