#pragma once

namespace app {
class CommandHost;
struct ModuleServices;
} // namespace app

namespace billing {

// The treasury's reports ask their choices with the class chooser "Defina a Turma " and the
// parts each report needs; the two annual spreadsheets run from their menu entries.
void installBillingReportCommands(app::CommandHost &host, const app::ModuleServices &services);

} // namespace billing
