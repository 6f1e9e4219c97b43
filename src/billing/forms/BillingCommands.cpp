#include "billing/forms/BillingCommands.h"

#include "app/CommandHost.h"
#include "app/ModuleServices.h"
#include "app/forms/TfrmMain.h"
#include "billing/forms/BillingReportCommands.h"
#include "billing/forms/ContractCommand.h"
#include "billing/forms/TfrmCCorrent.h"
#include "billing/import/ChargeImport.h"
#include "billing/import/forms/TfrmImportarCCorrent.h"
#include "data/modules/TDataModule1.h"
#include "core/Dialogs.h"
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
    host.setMenuForm(QStringLiteral("mnuImportarCarnes"), [services](app::ModuleLauncher &launcher) {
        launcher.restoreCursor();
        if (chargeImportTablesInUse(*services.academic)) {
            services.dialogs().show({kImportTablesInUse, QString(), core::Icon::Warning, core::Button::Ok});
            return;
        }
        // The network refresh would read the charge table the import holds.
        services.academic->pauseRefresh();
        TfrmImportarCCorrent form(services.database(), services.mainWindow);
        form.exec();
        services.academic->resumeRefresh();
    });
    installBillingReportCommands(host, services);
}

} // namespace billing
