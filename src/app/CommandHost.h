#pragma once

#include "app/ModuleLauncher.h"

#include <QString>
#include <functional>

// Where a subsystem plugs its commands in: the main window implements it, tests record with it.
// Each subsystem offers one installer, `void installCommands(app::CommandHost &, const
// app::ModuleServices &)`, and the program calls them once at start.
namespace app {

class CommandHost
{
public:
    virtual ~CommandHost() = default;

    // A plain command behind a menu entry or button.
    virtual void setCommand(const QString &objectName, std::function<void()> command) = 0;
    // A menu entry that opens a form: run through the launcher, without closing tables.
    virtual void setMenuForm(const QString &objectName, ModuleLauncher::OpenForm openForm) = 0;
    // A module button (Alunos, Cobrança, Tabelas, Caixa, Back-Ups).
    virtual void setModuleForm(Module module, ModuleLauncher::OpenForm openForm) = 0;
};

} // namespace app
