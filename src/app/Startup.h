#pragma once

#include "core/ProgramDirs.h"

#include <QDate>
#include <QString>
#include <stdexcept>

// What the program settles before any window is shown: where it lives, the configuration
// files beside it, the number and date conventions and the initial session state.
namespace app {

// The prefix of the main window's caption and of the report footers.
QString applicationTitle();

// A configuration file that can't be written or read stops the start-up.
class StartupError : public std::runtime_error
{
public:
    explicit StartupError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// The program directory is the working directory at start. It is upper-cased only where the
// file system ignores case: elsewhere the upper-cased name would be another (missing) folder.
QString programDirectoryFrom(const QString &workingDir, bool fileSystemIgnoresCase);

// True when `directory` and its name in another letter case are the same folder.
bool fileSystemIgnoresCase(const QString &directory);

// The program directory for this run: the working directory, taken as above.
QString programDirectoryFromWorkingDir();

// The file steps of the start-up for `programDir`: writes ConfigRede.txt and
// Usuarios.Config.txt with their defaults when missing (the year from `today`), and returns
// the program, backup, help and users directories. Throws StartupError.
core::ProgramDirs runStartupFileSteps(const QString &programDir, const QDate &today);

// The whole initialisation, from the working directory: fills core::programDirs(), sets the
// pt-BR conventions as the default locale, marks the first show pending and clears the session.
// Throws StartupError.
void runStartup();

// The main window's first show runs the splash once per run.
bool firstShowPending();
void setFirstShowPending(bool pending);

} // namespace app
