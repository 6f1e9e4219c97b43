#include "grades/forms/AveragesCommands.h"

#include "app/CommandHost.h"
#include "app/ModuleServices.h"
#include "core/Dialogs.h"
#include "data/modules/TDataModule1.h"
#include "data/settings/SettingsStore.h"
#include "grades/TablesInUse.h"
#include "grades/UnitRowSave.h"
#include "grades/forms/TfrmCalcNotas.h"
#include "grades/forms/TfrmCalcNotasConsolidadas.h"
#include "grades/forms/TfrmCalcPosicao.h"

namespace grades {

namespace {

// The network refresh stays off while a grade dialog is open.
class RefreshPause
{
public:
    explicit RefreshPause(data::TDataModule1 &module) : m_module(module) { m_module.pauseRefresh(); }
    ~RefreshPause() { m_module.resumeRefresh(); }
    RefreshPause(const RefreshPause &) = delete;
    RefreshPause &operator=(const RefreshPause &) = delete;

private:
    data::TDataModule1 &m_module;
};

template<typename Form>
app::ModuleLauncher::OpenForm gradeRun(const app::ModuleServices &services, bool withRanking)
{
    return [services, withRanking](app::ModuleLauncher &launcher) {
        launcher.restoreCursor();
        if (gradeTablesInUse(*services.academic, withRanking)) {
            services.dialogs().show({QString::fromUtf8(kTablesInUseMessage), QString(), core::Icon::Warning,
                                     core::Button::Ok});
            return;
        }
        RefreshPause pause(*services.academic);
        Form form(data::Database::named(QString::fromLatin1(data::kMainDatabaseName)), services.mainWindow);
        form.exec();
    };
}

} // namespace

void installAverageCommands(app::CommandHost &host, const app::ModuleServices &services)
{
    installAverages(*services.academic);
    host.setMenuForm(QStringLiteral("mnuRecalcUnidades"), gradeRun<TfrmCalcNotas>(services, false));
    host.setMenuForm(QStringLiteral("mnuRecalcConsolidadas"), gradeRun<TfrmCalcNotasConsolidadas>(services, false));
    host.setMenuForm(QStringLiteral("mnuCalcColocacao"), gradeRun<TfrmCalcPosicao>(services, true));
}

} // namespace grades
