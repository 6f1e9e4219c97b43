#include "billing/forms/BillingCommands.h"

#include "app/CommandHost.h"
#include "app/ModuleServices.h"
#include "app/forms/TfrmMain.h"
#include "billing/forms/BillingReportCommands.h"
#include "billing/forms/ContractCommand.h"
#include "billing/forms/TfrmCCorrent.h"
#include "core/ProgramDirs.h"
#include "data/store/Database.h"

namespace billing {

void installCommands(app::CommandHost &host, const app::ModuleServices &services)
{
    host.setModuleForm(app::Module::Cobranca, [services](app::ModuleLauncher &launcher) {
        auto *mainWindow = qobject_cast<app::TfrmMain *>(services.mainWindow);
        TfrmCCorrent form(*services.academic,
                          [mainWindow](const QString &text) {
                              if (mainWindow)
                                  mainWindow->setStatusText(text);
                          },
                          services.mainWindow);
        launcher.restoreCursor();
        form.exec();
        // The form gives the button bar back as it closes, as every module form does.
        if (mainWindow)
            mainWindow->setButtonBarEnabled(true);
    });
    host.setMenuForm(QStringLiteral("mnuContratos"), [services](app::ModuleLauncher &launcher) {
        launcher.restoreCursor();
        runContractCommand(services.database(), services.settings(), services.programDirs().program,
                           services.mainWindow);
    });
    installBillingReportCommands(host, services);
}

} // namespace billing
