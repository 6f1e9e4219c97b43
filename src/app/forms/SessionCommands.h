#pragma once

#include "app/logon/LogOnToggle.h"

#include <optional>

namespace data {
class TDataModule1;
class TdmTarnel;
}

namespace app {

class TfrmMain;
struct ModuleServices;

// Plugs the session into the main window: the log-on/log-off toggle behind "Log ON" and
// "&Log on / Log Off", the supervisor's "&Preferências..." and "&Cadastro de Usuários...",
// "Ambiente de Rede" on the academic module's refresh timer, and the tables a module button
// closes before its form opens.
class SessionCommands
{
public:
    // Needs the main window itself (captions, status bar, logo), not only its commands.
    SessionCommands(TfrmMain &window, const ModuleServices &services);

    LogOnToggle &toggle() { return m_toggle; }

private:
    std::optional<LogOnChoice> askLogOn();
    // The loaded settings in the window: staff term, "Ambiente de Rede", about box.
    void applySettings();
    // The staff term and the about box alone.
    void showSettings();
    void showSession();

    TfrmMain &m_window;
    data::TDataModule1 &m_academic;
    data::TdmTarnel &m_cashBook;
    LogOnToggle m_toggle;
};

} // namespace app
