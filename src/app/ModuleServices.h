#pragma once

#include <functional>

class QWidget;

namespace data {
class TDataModule1;
class TdmTarnel;
} // namespace data

namespace core {
struct Session;
class Dialogs;
class Shell;
} // namespace core

// Everything a module form or command needs from the running program, handed over in one
// piece instead of being looked up: the main window (parent of every module form), the two data
// modules, the session and the dialog and shell services.
namespace app {

struct ModuleServices
{
    QWidget *mainWindow = nullptr;
    data::TDataModule1 *academic = nullptr;
    data::TdmTarnel *cashBook = nullptr;
    // Ends the session as "Log OFF" does (a restore of a backup ends it).
    std::function<void()> logOff;

    core::Session &session() const;
    core::Dialogs &dialogs() const;
    core::Shell &shell() const;
};

} // namespace app
