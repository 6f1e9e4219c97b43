#pragma once

#include "backup/zip/TZipMaster.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace core {
class RunReporter;
}

// The decisions of the backup screen (TMainform), apart from its widgets: the archive chosen,
// which buttons are on, every message, and what the windows it opens do.
namespace backup {

// "Criar arquivo de Back-Up": the files chosen and the two options.
struct FileChoice
{
    QStringList files;
    AddOptions options;
};

// "Confirme o diretório de destino".
struct RestoreChoice
{
    QString destination;
    ExtractOptions options;
    bool selectedOnly = false; // "Arqs a recuperar": "Selecionados"
};

// The windows the screen opens.
class BackupScreenHost
{
public:
    virtual ~BackupScreenHost() = default;
    // The chooser on `directory`; with `automatic` every file is chosen and confirmed at once.
    // nullopt when cancelled.
    virtual std::optional<FileChoice> chooseFiles(const QString &directory, bool automatic) = 0;
    // The destination dialog starting at `directory`; nullopt when cancelled.
    virtual std::optional<RestoreChoice> chooseDestination(const QString &directory) = 0;
    // Names of the grid's selected rows.
    virtual QStringList selectedEntries() const = 0;
    // A status window captioned `caption`, shown modally; it runs `job` at once, reporting on
    // itself, and closes when the job returns.
    virtual void runInStatusWindow(const QString &caption,
                                   const std::function<void(core::RunReporter &)> &job) = 0;
};

struct BackupPlaces
{
    QString dataDir;
    QString backupDir;
    QString helpDir;
    QString schoolYear;
    QString userName;
};

class BackupScreen
{
public:
    BackupScreen(BackupScreenHost &host, BackupPlaces places);

    TZipMaster &zip() { return m_zip; }
    // "(nenhum)" until an archive is named.
    QString archiveLabel() const;
    // What a backup copies: the data folder, or the school year on the server.
    QString dataLabel() const;
    // A server year is backed up whole (its tables as the school-year file, without the file
    // chooser) and restored whole into itself (without the destination dialog).
    bool serverYear() const;
    bool saveEnabled() const { return m_saveEnabled; }
    bool restoreEnabled() const { return m_restoreEnabled; }
    bool automatic() const { return m_automatic; }
    // "&Recuperar" went past the check of the archive: the screen closes and the session ends.
    bool closedAsRestore() const { return m_closedAsRestore; }

    void newArchive();              // "&Novo"
    void openArchive();             // "&Abrir "
    void setAutomatic(bool on);     // "Execute o Back-Up Automático"
    void save();                    // "&Salvar"
    void restore();                 // "&Recuperar"
    void help() const;

private:
    void nameArchive(const QString &path);
    void saveServerYear();
    void restoreServerYear();

    BackupScreenHost &m_host;
    BackupPlaces m_places;
    TZipMaster m_zip;
    bool m_saveEnabled = false;
    bool m_restoreEnabled = false;
    bool m_automatic = false;
    bool m_closedAsRestore = false;
};

} // namespace backup
