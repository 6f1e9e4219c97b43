#pragma once

namespace app {

class CommandHost;
struct ModuleServices;

// Puts every report of programReports() behind its "&Relatórios" entry, asking its parameters
// with its dialog, and hands the main window's logo to the reports as the picture for schools
// without a "logo.bmp".
void installReportCommands(CommandHost &host, const ModuleServices &services);

} // namespace app
