#include "data/modules/SessionControl.h"

#include "core/Session.h"
#include "data/maintenance/AcademicStartup.h"
#include "data/maintenance/CashBookStartup.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/modules/TDataModule1.h"
#include "data/modules/TdmTarnel.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "data/store/ServerAddress.h"
#include "data/users/UserRecord.h"

#include <QDir>
#include <QFileInfo>

namespace data {

SessionStart openSession(TDataModule1 &academic, TdmTarnel &cashBook, const UserRecord &user,
                         const QString &yearText, const QString &dataDir)
{
    core::Session &session = core::session();
    session.userName = user.userId;
    session.supervisor = user.supervisor;
    session.rights = user.rights;
    session.schoolYear = yearText.left(4);
    session.dataDir = dataDir;

    // Nothing of the tables may stay on the previous year's connection.
    academic.closeTables(true);
    cashBook.closeTables();

    // A new year gets its tables (a server year: those it lacks, made at once).
    if (ServerAddress::isServerAddress(dataDir)
        || !QFileInfo::exists(QDir(dataDir).filePath(QString::fromLatin1(kStoreFileName))))
        createSchoolYear(dataDir, session.schoolYear);
    SessionStart start;
    start.statusText = runAcademicStartup(dataDir).statusText;

    cashBook.applyRights(session);
    runCashBookStartup(Database::named(QString::fromLatin1(kMainDatabaseName)));
    academic.applyRights(session);

    loadSettings();
    return start;
}

void closeSession(TDataModule1 &academic, TdmTarnel &cashBook)
{
    academic.closeTables(true);
    cashBook.closeTables();
    Database::closeAll();
    core::session().clearUser();
}

} // namespace data
