#include "backup/ServerYearArchive.h"

#include "data/maintenance/YearMigration.h"
#include "data/store/Database.h"
#include "data/store/StoreError.h"

#include <QDir>
#include <QFileInfo>

namespace backup {

QString stageServerYear(const QString &address, const QString &folder)
{
    const data::Database year = data::Database::open(address, data::Database::Access::ReadOnly);
    const data::Database file = data::Database::open(folder);
    data::migrateSchoolYear(year, file);
    return file.filePath();
}

void loadIntoServerYear(const QString &folder, const QString &address)
{
    if (!QFileInfo::exists(QDir(folder).filePath(QString::fromLatin1(data::kStoreFileName))))
        throw data::StoreError(QStringLiteral("O back-up não tem um ano letivo (%1).").arg(QString::fromLatin1(data::kStoreFileName)));
    const data::Database file = data::Database::open(folder, data::Database::Access::ReadOnly);
    const data::Database year = data::Database::open(address);
    data::migrateSchoolYear(file, year, data::MigrationMode::Replace);
}

} // namespace backup
