#include "app/forms/ReportCommands.h"

#include "app/CommandHost.h"
#include "app/MainCommands.h"
#include "app/ModuleServices.h"
#include "app/ProgramReports.h"
#include "app/forms/TfrmMain.h"
#include "reports/SchoolHeader.h"
#include "reports/engine/forms/Printing.h"
#include "reports/forms/AcademicReportDialogs.h"
#include "reports/forms/ReportRunner.h"
#include "reports/letters/forms/LetterDialogs.h"
#include "reports/records/forms/RecordDialogs.h"

namespace app {

void installReportCommands(CommandHost &host, const ModuleServices &services)
{
    if (const auto *window = qobject_cast<const TfrmMain *>(services.mainWindow))
        reports::setFallbackLogo(window->logo().toImage());
    reports::adoptDefaultPrinterPaper();
    reports::installAcademicReportDialogs();
    reports::installLetterDialogs();
    reports::installRecordDialogs();

    for (reports::ReportEntry entry : programReports().entries()) {
        if (entry.menuEntry.isEmpty())
            continue; // printed from its module's window
        if (entry.dialogCaption.isEmpty())
            entry.dialogCaption = menuPath(entry.menuEntry).section(QStringLiteral(" > "), -1);
        host.setMenuForm(entry.menuEntry, [entry, services](ModuleLauncher &launcher) {
            launcher.restoreCursor();
            reports::runReport(entry, services.database(), services.mainWindow);
        });
    }
}

} // namespace app
