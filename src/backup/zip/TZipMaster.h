#pragma once

#include "backup/zip/ZipDirectory.h"
#include "backup/zip/ZipEngine.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// The archive component of the backup screen: the archive's name and table of contents, the
// files to add or extract with their options, and the two operations over the zip engine,
// which report through the component's events and stop when it is cancelled.
namespace backup {

struct AddOptions
{
    bool dirNames = true; // "Save DirNames"
    bool recurse = false; // "Recurse Dirs"
};

struct ExtractOptions
{
    bool directoryNames = false; // "Expandir diretórios"
    bool overwrite = true;       // "Sobrescrever"
};

class TZipMaster
{
public:
    struct Events
    {
        std::function<void()> dirUpdate; // the table of contents was read
        // FileStart (name and size), BlockDone (bytes of the file so far) and BatchDone.
        std::function<void(ZipAction action, const QString &name, qint64 size)> progress;
        // Without a trailing CR or LF; errorCode above 0 for an error.
        std::function<void(int errorCode, const QString &text)> message;
    };

    static constexpr int kLevel = 9;

    Events &events() { return m_events; }

    QString archiveName() const { return m_archiveName; }
    // Names the archive and reads its table of contents: empty for a missing file. A damaged
    // archive keeps the name, with no entries, and throws ZipReadError.
    void setArchiveName(const QString &path);
    const QList<ZipEntry> &entries() const { return m_entries; }
    // Names an archive that the next Add writes anew, with no entries until then. A file of
    // that name stays as it is until that Add has succeeded, and is then replaced whole.
    void startNewArchive(const QString &path);

    // Names to add or extract; relative names are taken from the working directory.
    QStringList &fileSpecs() { return m_fileSpecs; }
    AddOptions &addOptions() { return m_addOptions; }
    ExtractOptions &extractOptions() { return m_extractOptions; }
    // Where Extract writes; the working directory when empty.
    void setExtractDir(const QString &dir) { m_extractDir = dir; }
    bool verbose() const { return m_verbose; }

    bool busy() const { return m_busy; }
    // Asks the running operation to stop at its next callback.
    void cancel() { m_cancel = true; }
    bool cancelRequested() const { return m_cancel; }
    // Files processed by the last operation.
    int successCount() const { return m_successCount; }

    // Both refuse while another operation runs, and clear the file specifications when done.
    // A failure of the engine itself shows "Fatal DLL Error: abort exception"; anything else
    // thrown while they run (a damaged table of contents after Add, among others) goes on to
    // the caller.
    void add();
    void extract();

private:
    template <typename Operation> void run(Operation operation);
    bool dispatch(const ZipCallbackRecord &record);
    void readDirectory();

    Events m_events;
    QString m_archiveName;
    QList<ZipEntry> m_entries;
    bool m_replaceArchive = false;
    QStringList m_fileSpecs;
    AddOptions m_addOptions;
    ExtractOptions m_extractOptions;
    QString m_extractDir;
    bool m_verbose = true;
    bool m_busy = false;
    bool m_cancel = false;
    int m_successCount = 0;
};

} // namespace backup
