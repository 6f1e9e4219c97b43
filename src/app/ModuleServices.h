#pragma once

#include <functional>

class QWidget;

namespace data {
class Database;
class TDataModule1;
class TdmTarnel;
struct Settings;
} // namespace data

namespace core {
struct ProgramDirs;
struct Session;
class Dialogs;
class Shell;
} // namespace core

// Everything a module form or command needs from the running program, handed over in one
// piece instead of being looked up: the main window (parent of every module form), the two data
// modules, the open school year, the session and settings, the program's folders and the
// dialog and shell services. The program creates it once, in main(), and gives it to every
// subsystem's installer:
//
//   void installCommands(app::CommandHost &host, const app::ModuleServices &services);
namespace app {

struct ModuleServices
{
    QWidget *mainWindow = nullptr;
    data::TDataModule1 *academic = nullptr;
    data::TdmTarnel *cashBook = nullptr;
    // Ends the session as "Log OFF" does (a restore of a backup ends it).
    std::function<void()> logOff;

    // The school year the session opened (the "Quorvel" database); throws StoreError before a
    // log-on. Read it when a command runs, not when it is installed.
    data::Database database() const;
    core::Session &session() const;
    const data::Settings &settings() const;
    const core::ProgramDirs &programDirs() const;
    core::Dialogs &dialogs() const;
    core::Shell &shell() const;
};

} // namespace app
