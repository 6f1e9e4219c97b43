#pragma once

namespace app {
class CommandHost;
struct ModuleServices;
} // namespace app

namespace cashbook {

// The "Caixa" button opens the cash book; "Exportar para Texto / Planilha" the table export.
void installCommands(app::CommandHost &host, const app::ModuleServices &services);

} // namespace cashbook
