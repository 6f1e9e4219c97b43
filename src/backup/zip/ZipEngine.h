#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>

// The zip engine behind the archive component: compression and extraction over libzip, on the
// calling thread, reporting through one callback whose result asks it to stop.
namespace backup {

enum class ZipAction
{
    FileStart = 1, // a file starts: `size` and `text` (its name)
    BlockDone = 2, // a block of the current file is done: `size` bytes of it so far
    BatchDone = 3, // every file is done
    Message = 4,   // a message: `text`, with `errorCode` above 0 for an error
};

struct ZipCallbackRecord
{
    ZipAction action = ZipAction::Message;
    int errorCode = 0;
    qint64 size = 0;
    QString text;
};

// Returns true when the person asked to stop.
using ZipCallback = std::function<bool(const ZipCallbackRecord &record)>;

struct AddRequest
{
    QString archive;    // created when missing, else updated
    bool replace = false; // an existing archive is replaced, not updated
    QStringList specs;  // absolute files, folders or wildcard patterns
    QString baseDir;    // stored names of files below it are relative to it
    int level = 9;
    bool storeDirNames = true;
    bool recurse = false;
    bool verbose = true;
};

struct ExtractRequest
{
    QString archive;
    QStringList specs;  // entry names or wildcard patterns; empty: every entry
    QString destination;
    bool directoryNames = false;
    bool overwrite = true;
    bool verbose = true;
};

// A failure the engine cannot turn into a message (no temporary folder, no memory).
class ZipEngineError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Adds the files of `request` to the archive; returns how many were added. Nothing is
// written unless every file made it: a cancelled or failed run leaves the archive as it was
// (no archive when there was none). An SQLite database goes in as one consistent state of it,
// even while another workstation writes.
int zipAdd(const AddRequest &request, const ZipCallback &callback);

// Extracts the entries of `request`; returns how many files were written. Every entry is
// first written beside its destination and checked; the old files are replaced only when all
// of them were good, so a damaged or cancelled restore changes nothing. A database about to be
// replaced is first brought back to its last commit, so no journal of it is left to be rolled
// into the restored file; one that another workstation is writing is not replaced. Each file is
// on the disk before it replaces the old one (a power cut leaves the old or the new). Entries
// whose names are absolute or climb out of the destination, and symbolic links, are refused.
int zipExtract(const ExtractRequest &request, const ZipCallback &callback);

} // namespace backup
