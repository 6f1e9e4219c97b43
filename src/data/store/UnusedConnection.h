#pragma once

#include <QString>

namespace data {

// Closes this process's connection to the tables of `directory` (a folder, or a server year's
// address) once no Database handle, table or query uses it any more, where Database::closeAll()
// would close every other one too: a school-year file written aside for an archive is closed
// before it is removed. Returns false, and closes nothing, while something still uses it.
bool closeUnusedConnection(const QString &directory);

} // namespace data
