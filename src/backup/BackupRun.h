#pragma once

#include "backup/zip/TZipMaster.h"
#include "core/RunReporter.h"

#include <QStringList>

// What the two status windows run, shared with the command line: the status memo, the
// archive component's progress and messages on a run reporter, and the log beside the archive.
namespace backup {

struct RunResult
{
    int count = 0;
    QStringList memo;
    // Cancelled when asked to stop; Failed when nothing was done because of an error.
    core::RunOutcome outcome = core::RunOutcome::Completed;
};

// "Status do andamento do Back-Up": Add of `files` with `options` into the component's
// archive; the memo is then written beside the archive (".log").
RunResult runBackup(TZipMaster &zip, const QStringList &files, const AddOptions &options,
                    core::RunReporter &reporter);
QString backupCountText(int count);

// "Status do andamento da recuperação do back-up": Extract of `entries` (every entry when
// empty) into `destination`.
RunResult runRestore(TZipMaster &zip, const QString &destination, const ExtractOptions &options,
                     const QStringList &entries, core::RunReporter &reporter);
QString restoreCountText(int count);

} // namespace backup
