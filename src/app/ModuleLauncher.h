#pragma once

#include <QString>
#include <functional>

// Starts the forms of the main window the one way every command does: hourglass cursor,
// the data module's tables closed so the form opens what it needs, the button bar disabled while
// the form is open, and, whatever happens, the working directory set back to the program
// directory and the cursor and the bar restored.
namespace app {

enum class Module
{
    Alunos,
    Cobranca,
    Tabelas,
    Caixa,
    Backup
};

enum class TablesToClose
{
    None,
    Academic,            // every table of the academic data module
    AcademicAndSettings, // the backup replaces files, so the settings table goes too
};

// What the module buttons close before their form opens; the cash book keeps its own tables.
TablesToClose tablesClosedBefore(Module module);

class ModuleLauncher
{
public:
    // The window's part of the work.
    struct Host
    {
        std::function<void(bool busy)> setBusyCursor;
        std::function<void(bool enabled)> setButtonBarEnabled;
    };
    // Creates the form, applies the session's rights, shows it modally and releases it. It may
    // call restoreCursor() before showing; a std::exception it throws is shown as an error.
    using OpenForm = std::function<void(ModuleLauncher &launcher)>;

    ModuleLauncher(QString programDir, Host host);

    // Supplied by the academic data module once it exists.
    void setCloseTables(std::function<void(TablesToClose)> closeTables);

    // A module button.
    void startModule(Module module, const OpenForm &openForm);
    // A menu command: the same, without closing tables.
    void runCommand(const OpenForm &openForm);

    // Puts the normal cursor back; harmless when already back.
    void restoreCursor();
    bool isRunning() const { return m_running; }

private:
    void start(TablesToClose tables, const OpenForm &openForm);

    QString m_programDir;
    Host m_host;
    std::function<void(TablesToClose)> m_closeTables;
    bool m_busy = false;
    bool m_running = false;
};

} // namespace app
