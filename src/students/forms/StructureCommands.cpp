#include "students/forms/StructureCommands.h"

#include "app/CommandHost.h"
#include "app/ModuleServices.h"
#include "core/Dialogs.h"
#include "core/Session.h"
#include "data/modules/TDataModule1.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "students/forms/RefreshPause.h"
#include "students/forms/TfrmImportar.h"
#include "students/forms/TfrmTabAux.h"
#include "students/import/StudentImport.h"

namespace students {

namespace {

void importRegister(const app::ModuleServices &services, app::ModuleLauncher &launcher)
{
    const data::Database db = data::Database::named(QString::fromLatin1(data::kMainDatabaseName));
    launcher.restoreCursor();
    core::Dialogs &dialogs = services.dialogs();
    if (structureInUse(db)) {
        dialogs.show(importRefusal());
        return;
    }
    if (dialogs.show(importQuestion()) != core::Button::Yes)
        return;
    const RefreshPause pause(*services.academic);
    TfrmImportar form(db, services.mainWindow);
    form.exec();
}

} // namespace

void installStructureCommands(app::CommandHost &host, const app::ModuleServices &services)
{
    host.setModuleForm(app::Module::Tabelas, [services](app::ModuleLauncher &launcher) {
        TfrmTabAux form(*services.academic, data::settings().Termo_Func, services.session().photosDir,
                        services.mainWindow);
        launcher.restoreCursor();
        form.exec();
    });
    host.setMenuForm(QStringLiteral("mnuImportarAlunos"),
                     [services](app::ModuleLauncher &launcher) { importRegister(services, launcher); });
}

} // namespace students
