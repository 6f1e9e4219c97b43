#pragma once

// Gives the academic reports their own dialogs in place of the generic options dialog: the
// report cards' "Defina ". Called once when the main window installs the report commands.
namespace reports {

void installAcademicReportDialogs();

} // namespace reports
