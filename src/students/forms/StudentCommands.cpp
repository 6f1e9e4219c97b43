#include "students/forms/StudentCommands.h"

#include "app/CommandHost.h"
#include "app/MainCommands.h"
#include "app/ModuleServices.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "students/Birthdays.h"
#include "students/forms/StructureCommands.h"
#include "students/forms/TfrmAlunos.h"

namespace students {

void installCommands(app::CommandHost &host, const app::ModuleServices &services)
{
    host.setModuleForm(app::Module::Alunos, [services](app::ModuleLauncher &launcher) {
        TfrmAlunos form(*services.academic, services.mainWindow);
        form.setCountVisible(app::showsStudentTotal(services.session()));
        launcher.restoreCursor();
        form.exec();
    });
    host.setMenuForm(QStringLiteral("mnuAtualizarAniversario"), [](app::ModuleLauncher &launcher) {
        launcher.restoreCursor();
        runBirthdayCommand(data::Database::named(QString::fromLatin1(data::kMainDatabaseName)));
    });
    installStructureCommands(host, services);
}

} // namespace students
