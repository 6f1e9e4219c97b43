#include "app/ModuleLauncher.h"

#include "core/Dialogs.h"

#include <QDir>
#include <exception>

namespace app {

TablesToClose tablesClosedBefore(Module module)
{
    switch (module) {
    case Module::Caixa:
        return TablesToClose::None;
    case Module::Backup:
        return TablesToClose::AcademicAndSettings;
    case Module::Alunos:
    case Module::Cobranca:
    case Module::Tabelas:
        break;
    }
    return TablesToClose::Academic;
}

ModuleLauncher::ModuleLauncher(QString programDir, Host host)
    : m_programDir(std::move(programDir)), m_host(std::move(host))
{
}

void ModuleLauncher::setCloseTables(std::function<void(TablesToClose)> closeTables)
{
    m_closeTables = std::move(closeTables);
}

void ModuleLauncher::startModule(Module module, const OpenForm &openForm)
{
    start(tablesClosedBefore(module), openForm);
}

void ModuleLauncher::runCommand(const OpenForm &openForm)
{
    start(TablesToClose::None, openForm);
}

void ModuleLauncher::restoreCursor()
{
    if (!m_busy)
        return;
    m_busy = false;
    m_host.setBusyCursor(false);
}

void ModuleLauncher::start(TablesToClose tables, const OpenForm &openForm)
{
    // Runs on every way out, an error included, so no command leaves the program stuck in
    // another folder, with an hourglass or with a dead button bar.
    struct Restore
    {
        ModuleLauncher &launcher;
        ~Restore()
        {
            QDir::setCurrent(launcher.m_programDir);
            launcher.restoreCursor();
            launcher.m_host.setButtonBarEnabled(true);
            launcher.m_running = false;
        }
    };

    m_running = true;
    m_busy = true;
    m_host.setBusyCursor(true);
    Restore restore{*this};
    try {
        if (tables != TablesToClose::None && m_closeTables)
            m_closeTables(tables);
        m_host.setButtonBarEnabled(false);
        openForm(*this);
    } catch (const std::exception &e) {
        restoreCursor();
        core::showError(QString::fromUtf8(e.what()));
    }
}

} // namespace app
