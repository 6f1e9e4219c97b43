#pragma once

namespace app {

class TfrmMain;

// Puts the printed reports that exist behind their "&Relatórios" entries, and hands the main
// window's logo to the reports as the picture for schools without a "logo.bmp".
void installReportCommands(TfrmMain &mainWindow);

} // namespace app
