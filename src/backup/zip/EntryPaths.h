#pragma once

#include <QString>
#include <optional>

// Names of files inside an archive and back.
namespace backup {

// The name a file is stored under: its path relative to `baseDir` when it lies below it,
// else its full path without the root (or drive); only the file name without directory names.
QString storedName(const QString &filePath, const QString &baseDir, bool storeDirNames);

// The relative path ("a/b.db") an entry may be written to, or nullopt when its name is
// absolute, names a drive, or climbs out with "..". Backslashes count as separators.
std::optional<QString> safeRelativePath(const QString &entryName);

} // namespace backup
