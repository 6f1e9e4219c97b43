#pragma once

#include <QString>

namespace data {

class TDataModule1;
class TdmTarnel;
struct UserRecord;

struct SessionStart
{
    QString statusText; // for the main window's first status panel
};

// What log-on does once the dialog accepted `user` and the school year `yearText` (the grid's
// "Ano Letivo") with its data directory: the rights go into the session, the school year and
// the data directory are set, a directory without school-year tables gets them, the academic
// and cash-book start-ups run, every table of both modules is closed and made read-only unless
// the session holds its right, and the settings are loaded. Throws on any failure, leaving
// the session as far as it got; the caller shows databaseAccessErrorMessage().
SessionStart openSession(TDataModule1 &academic, TdmTarnel &cashBook, const UserRecord &user,
                         const QString &yearText, const QString &dataDir);

// Log-off: closes every table of both modules and every connection, and forgets the user
// and the rights.
void closeSession(TDataModule1 &academic, TdmTarnel &cashBook);

} // namespace data
