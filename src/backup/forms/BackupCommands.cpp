#include "backup/forms/BackupCommands.h"

#include "app/CommandHost.h"
#include "app/ModuleServices.h"
#include "backup/forms/TMainform.h"
#include "core/Dialogs.h"
#include "core/ProgramDirs.h"
#include "core/Session.h"
#include "data/modules/TdmTarnel.h"

namespace backup {

void installCommands(app::CommandHost &host, const app::ModuleServices &services)
{
    host.setModuleForm(app::Module::Backup, [services](app::ModuleLauncher &launcher) {
        // The button has closed the academic tables and the settings; the cash book lives in
        // the same school-year file a restore replaces, so its tables are closed too.
        if (services.cashBook)
            services.cashBook->closeTables();
        const core::Session &session = services.session();
        const core::ProgramDirs &dirs = core::programDirs();
        bool restored = false;
        {
            TMainform form({session.dataDir, dirs.backup, dirs.help, session.schoolYear,
                            session.userName},
                           services.mainWindow);
            launcher.restoreCursor();
            form.exec();
            restored = form.closedAsRestore();
        }
        if (!restored)
            return;
        services.dialogs().show({QStringLiteral("Esta sessão será fechada para garantir a "
                                                "integridade da cópia recuperada."),
                                 QString(), core::Icon::Information, core::Button::Ok});
        services.logOff();
    });
}

} // namespace backup
