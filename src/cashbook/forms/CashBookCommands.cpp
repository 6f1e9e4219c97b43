#include "cashbook/forms/CashBookCommands.h"

#include "app/CommandHost.h"
#include "app/ModuleServices.h"
#include "app/forms/TfrmMain.h"
#include "cashbook/forms/TfrmExportarTabelas.h"
#include "cashbook/forms/TfrmMenuPrincipal.h"

namespace cashbook {

void installCommands(app::CommandHost &host, const app::ModuleServices &services)
{
    host.setModuleForm(app::Module::Caixa, [services](app::ModuleLauncher &launcher) {
        TfrmMenuPrincipal form(*services.cashBook, services.mainWindow);
        form.applySession(services.session());
        launcher.restoreCursor();
        form.exec();
        // The form gives the button bar back as it closes, as every module form does.
        if (auto *mainWindow = qobject_cast<app::TfrmMain *>(services.mainWindow))
            mainWindow->setButtonBarEnabled(true);
    });
    host.setMenuForm(QStringLiteral("mnuExportarTexto"), [services](app::ModuleLauncher &launcher) {
        TfrmExportarTabelas form(services.mainWindow);
        launcher.restoreCursor();
        form.exec();
    });
}

} // namespace cashbook
