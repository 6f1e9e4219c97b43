#pragma once

#include <QString>

// The directories fixed at start-up for the whole run.
namespace core {

struct ProgramDirs
{
    QString program; // the working directory at start
    QString backup;  // program + "/BACKUP"
    QString help;    // program + "/AJUDA"
    QString users;   // first line of Usuarios.Config.txt
};

ProgramDirs &programDirs();

// Joins a directory and a relative name with the platform's separator handling of QDir
// ("C:\ESCOLA" + "Data" or "/srv/escola" + "Data").
QString joinPath(const QString &directory, const QString &name);

} // namespace core
