#include "app/forms/ReportCommands.h"

#include "app/forms/TfrmMain.h"
#include "reports/SchoolHeader.h"
#include "reports/engine/forms/Printing.h"
#include "reports/forms/ListingPreview.h"

namespace app {

void installReportCommands(TfrmMain &mainWindow)
{
    reports::setFallbackLogo(mainWindow.logo().toImage());
    reports::adoptDefaultPrinterPaper();

    const struct
    {
        const char *entry;
        reports::Listing listing;
    } listings[] = {
        {"mnuDisciplinas", reports::Listing::Disciplinas},
        {"mnuTurmasMensalidade", reports::Listing::Turmas},
        {"mnuDisciplinasTurma", reports::Listing::DisciplinasTurma},
    };
    for (const auto &item : listings) {
        const reports::Listing listing = item.listing;
        mainWindow.setMenuForm(QString::fromLatin1(item.entry),
                               [&mainWindow, listing](ModuleLauncher &launcher) {
                                   launcher.restoreCursor();
                                   reports::showListing(listing, &mainWindow);
                               });
    }
}

} // namespace app
