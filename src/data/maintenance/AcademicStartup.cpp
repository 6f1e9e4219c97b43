#include "data/maintenance/AcademicStartup.h"

#include "core/Dialogs.h"
#include "core/ProgramDirs.h"
#include "core/Session.h"
#include "data/maintenance/LayoutUpgrade.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Database.h"
#include "data/store/ServerAddress.h"

#include <QDir>

namespace data {

namespace {

// Kept for tables protected in older stores; registering them costs nothing.
const char *const kTablePasswords[] = {"TEMKAV", "brelsonix"};

void registerPasswords()
{
    for (const char *password : kTablePasswords)
        Database::addPassword(QString::fromLatin1(password));
}

void bindNames(const QString &dataDir)
{
    for (const char *name : kDatabaseNames) {
        if (Database::nameExists(QString::fromLatin1(name)))
            Database::dropName(QString::fromLatin1(name));
    }
    registerPasswords();
    for (const char *name : kDatabaseNames)
        Database::defineName(QString::fromLatin1(name), dataDir);
}

void setDirectories(const QString &dataDir)
{
    core::session().photosDir = photosDirFor(dataDir);
    core::ProgramDirs &dirs = core::programDirs();
    dirs.backup = core::joinPath(dirs.program, QStringLiteral("BACKUP"));
    dirs.help = core::joinPath(dirs.program, QStringLiteral("AJUDA"));
}

} // namespace

QString photosDirFor(const QString &dataDir)
{
    // A year on a server keeps its photos beside the program, shared like the program folder.
    if (ServerAddress::isServerAddress(dataDir))
        return core::joinPath(core::programDirs().program, QStringLiteral("FOTOS"));
    const QString cleaned = QDir::cleanPath(dataDir);
    return core::joinPath(cleaned.left(qMax(0, cleaned.size() - 5)), QStringLiteral("FOTOS"));
}

AcademicStartupResult runAcademicStartup(const QString &dataDir)
{
    registerPasswords();
    try {
        bindNames(dataDir);
        setDirectories(dataDir);
    } catch (const std::exception &) {
        core::Message message;
        message.text = QStringLiteral("Erro na criação do Aliasname.\rTDataModule1.DmCreate");
        message.caption = QStringLiteral("Erro");
        message.icon = core::Icon::Error;
        core::dialogs().show(message);
    }

    AcademicStartupResult result;
    result.statusText = QStringLiteral("Localização da Base de dados: ") + dataDir;

    const Database db = Database::named(QString::fromLatin1(kDatabaseNames[0]));
    result.createdTables = createMissingTables(db, core::session().schoolYear);
    result.upgradeSteps = upgradeLayout(db);
    return result;
}

} // namespace data
