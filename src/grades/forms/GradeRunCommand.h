#pragma once

#include "app/ModuleLauncher.h"
#include "app/ModuleServices.h"
#include "core/Dialogs.h"
#include "data/modules/TDataModule1.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "grades/TablesInUse.h"

// How a grade menu entry opens its dialog: refused while any module holds the student, grade,
// class or subject tables (here or on another workstation), then, after an optional question,
// the dialog with the network refresh held until it closes.
namespace grades {

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

struct GradeRunOptions
{
    bool withRanking = false;                  // the ranking table counts as in use too
    const char *refusal = kTablesInUseMessage; // the refusal's text
    const char *question = nullptr;            // asked (Yes/No, No preselected) before the dialog
};

template<typename Form>
app::ModuleLauncher::OpenForm gradeRun(const app::ModuleServices &services, GradeRunOptions options = {})
{
    return [services, options](app::ModuleLauncher &launcher) {
        launcher.restoreCursor();
        if (gradeTablesInUse(*services.academic, options.withRanking)) {
            services.dialogs().show({QString::fromUtf8(options.refusal), QString(), core::Icon::Warning, core::Button::Ok});
            return;
        }
        if (options.question &&
            services.dialogs().show({QString::fromUtf8(options.question), QStringLiteral("Confirmação"), core::Icon::Question,
                                     core::Button::Yes | core::Button::No, core::Button::No}) != core::Button::Yes)
            return;
        RefreshPause pause(*services.academic);
        Form form(data::Database::named(QString::fromLatin1(data::kMainDatabaseName)), services.mainWindow);
        form.exec();
    };
}

} // namespace grades
