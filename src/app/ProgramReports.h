#pragma once

#include "reports/ReportRegistry.h"

namespace app {

// Every report of the program, gathered once from each subsystem's list. The main window's
// menu, the options dialogs and "lumesco-cli report" all read this one registry; a
// subsystem's first report adds its list here.
const reports::ReportRegistry &programReports();

} // namespace app
