#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace data {

class Database;

// The three names under which the tables of the open school year are reached.
inline constexpr const char *kDatabaseNames[] = {"Quorvel", "Veradim", "verCaixa"};

// The academic part of the log-on, once the data directory is chosen: binds the three database
// names to `dataDir`, sets the photos directory, creates the tables a new school year lacks
// (with its settings row) and brings an older layout up to date. A failure to bind the names
// shows "Erro na criação do Aliasname." and the start-up goes on; every upgrade failure is
// silent. The session's school year names a school year created here.
struct AcademicStartupResult
{
    QString statusText;        // for the main window's first status panel
    QStringList createdTables; // tables a new school year lacked
    QList<int> upgradeSteps;   // the numbered upgrade steps that took effect
};
AcademicStartupResult runAcademicStartup(const QString &dataDir);

// The photos directory of a data directory: the data directory without its last five
// characters ("\2009"), then "FOTOS".
QString photosDirFor(const QString &dataDir);

} // namespace data
