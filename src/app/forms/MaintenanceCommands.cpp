#include "app/forms/MaintenanceCommands.h"

#include "app/CommandHost.h"
#include "app/ModuleServices.h"
#include "data/forms/TfrmVerificarBD.h"

namespace app {

void installMaintenanceCommands(CommandHost &host, const ModuleServices &services)
{
    host.setMenuForm(QStringLiteral("mnuVerificarBanco"), [services](ModuleLauncher &launcher) {
        TfrmVerificarBD form(services.mainWindow);
        launcher.restoreCursor();
        form.exec();
    });
}

} // namespace app
