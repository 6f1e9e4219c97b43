#include "students/forms/StudentCommands.h"

#include "app/CommandHost.h"
#include "app/MainCommands.h"
#include "app/ModuleServices.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "reports/forms/ReportRunner.h"
#include "reports/letters/TaxDeclaration.h"
#include "students/Birthdays.h"
#include "students/forms/StructureCommands.h"
#include "students/forms/TfrmAlunos.h"
#include "students/forms/TfrmSelectCPF.h"

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
    // The income-tax declaration asks for the CPF in the register's own dialog.
    reports::setReportDialog(QStringLiteral("declaracao-ir"), [](const reports::ReportEntry &, reports::ReportValues &values,
                                                                const data::Database &db, QWidget *parent) {
        TfrmSelectCPF dialog(parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values.set(QStringLiteral("cpf"), dialog.cpf(), db);
        values.set(QStringLiteral("as"), reports::declarantWord(dialog.declarant()), db);
        values.set(QStringLiteral("text"), dialog.declarationLines().join(u'\n'), db);
        return true;
    });
}

} // namespace students
