#pragma once

#include <QString>

// A database file copied while other workstations may be writing to it. Copying its bytes
// with a plain file read could catch a transaction half written, and closing a second handle
// on the file would drop this process's own SQLite locks on it (POSIX record locks belong to
// the process). So both the check and the copy read through SQLite's own file handle.
namespace backup {

// True when the file starts with the SQLite header.
bool isSqliteDatabase(const QString &path);

// Copies the database at `path` to `target` in one consistent state: under a read
// transaction, which keeps writers from committing while the bytes are copied (the copy is
// then identical to the file). A database in WAL mode is copied with SQLite's online backup.
// Throws ZipEngineError with the reason.
void snapshotDatabase(const QString &path, const QString &target);

// Brings a database that a writer left half-way (a crash, a power cut) back to its last
// committed state, as any SQLite reader would on its first read, so that its journal is gone
// before the file is replaced: left beside the new file, that journal would be rolled back
// into it and damage it. Throws ZipEngineError when the database cannot be settled, or when a
// journal or write-ahead log stays beside it (another workstation is writing).
void settleDatabase(const QString &path);

// The files kept beside a database while it is used: SQLite's "-journal", "-wal" and "-shm",
// and the table-lock file of this program's store ("Lumesco.lck" beside "Lumesco.db"). They
// must not travel with a snapshot: restored beside it, a journal would be rolled back into a
// copy it does not belong to, and a replaced lock file would part the workstations still
// running from those that start afterwards. None of them holds data of its own.
bool isDatabaseCompanion(const QString &path, const QString &databasePath);

} // namespace backup
