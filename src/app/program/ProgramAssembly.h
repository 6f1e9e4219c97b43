#pragma once

#include <memory>

namespace data {
class TDataModule1;
class TdmTarnel;
} // namespace data

namespace app {

class TfrmMain;
class SessionCommands;

// The running program: the main window, the two data modules and the session, with every
// subsystem's commands plugged into the window. The program holds one from start to end; the
// tests that go through the whole program hold one too, so they run what the office runs.
class ProgramAssembly
{
public:
    ~ProgramAssembly();

    TfrmMain &window() const { return *m_window; }
    data::TDataModule1 &academic() const { return *m_academic; }
    data::TdmTarnel &cashBook() const { return *m_cashBook; }
    SessionCommands &session() const { return *m_session; }

private:
    friend std::unique_ptr<ProgramAssembly> assembleProgram();
    ProgramAssembly();

    // In this order, and gone in the reverse one; none of them opens a table before log-on.
    std::unique_ptr<TfrmMain> m_window;
    std::unique_ptr<data::TDataModule1> m_academic;
    std::unique_ptr<data::TdmTarnel> m_cashBook;
    std::unique_ptr<SessionCommands> m_session;
};

// Puts the program together (nothing shown yet): the main window with the data modules, the
// log-on, and the commands, module buttons and report dialogs of every subsystem.
std::unique_ptr<ProgramAssembly> assembleProgram();

} // namespace app
