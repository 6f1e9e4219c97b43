#pragma once

#include <QString>
#include <QStringList>

// Where the program directory is when the program was installed by a package. The program keeps
// its configuration files, help pages and message files in its program directory, which an
// installed program cannot write; it uses a folder of the user's instead, filled from the
// package's read-only defaults. Run from a build tree, the working directory stays the program
// directory, as always.
namespace core {

// The package's defaults beside an installed executable (<prefix>/bin → <prefix>/share/lumesco/
// defaults); empty when the executable does not sit in such a tree.
QString installedDefaultsDirectory(const QString &executableDirectory);

// The user's program folder of an installed program: $XDG_DATA_HOME/Lumesco, else
// ~/.local/share/Lumesco.
QString userProgramFolder();

// The program directory to start in: the one named on the command line, else the one named by
// LUMESCO_PROGRAM_DIR (a school's shared folder), else the user's folder when installed, else the
// working directory.
QString chooseProgramDirectory(const QString &commandLineDirectory,
                               const QString &environmentDirectory, bool installed,
                               const QString &workingDirectory);

// The record of the defaults copied into a program directory, so that a later version can
// replace what nobody changed and leave alone what the school edited.
inline constexpr char kDefaultsRecordName[] = ".lumesco-padroes";

struct DefaultsRefresh
{
    QStringList copied;   // relative paths written (new or replaced)
    QStringList kept;     // relative paths left as the school edited them
    QString error;        // empty on success
};

// Copies each file of the defaults the program directory lacks, and replaces a file only when it
// is still exactly the copy an earlier start made (its digest in the record); a file the school
// changed or wrote itself is never touched.
DefaultsRefresh refreshDefaults(const QString &defaultsDirectory, const QString &programDirectory);

// The program directory of a starting process (see chooseProgramDirectory), created and, when
// installed, refreshed from the defaults. Sets `error` (Portuguese) when it could not be.
QString resolveProgramDirectory(const QString &executableDirectory,
                                const QString &commandLineDirectory, QString *error);

// All of it for a starting process: chooses the program directory, creates it, refreshes it from
// the defaults when installed, and makes it the working directory. Returns an error text in
// Portuguese, empty on success.
QString enterProgramDirectory(const QString &executableDirectory,
                              const QString &commandLineDirectory);

} // namespace core
