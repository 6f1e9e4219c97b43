#include "data/maintenance/SchoolYearSetup.h"

#include "core/ProgramDirs.h"
#include "data/schema/SchoolYearSchema.h"
#include "data/schema/SettingsSchema.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "data/store/ServerAddress.h"
#include "data/store/StoreError.h"
#include "data/store/Transaction.h"

#include <QDir>
#include <QFileInfo>

namespace data {

QStringList createMissingTables(const Database &db, const QString &schoolYear)
{
    QStringList created;
    Transaction transaction(db);
    for (const TableDef &def : schema::schoolYearTables()) {
        if (db.hasTable(def.name))
            continue;
        db.createTable(def);
        created += def.name;
    }
    transaction.commit();

    if (created.contains(schema::usuario().name)) {
        Settings record = Settings::defaults(schoolYear);
        saveSettings(db, record, IniFileUse::Read);
    }
    return created;
}

Database createSchoolYear(const QString &dataDir, const QString &schoolYear)
{
    if (!ServerAddress::isServerAddress(dataDir) && !QDir().mkpath(dataDir))
        throw StoreError(QStringLiteral("Não foi possível criar a pasta %1.").arg(dataDir));
    Database db = Database::open(dataDir);
    createMissingTables(db, schoolYear);
    return db;
}

Database openSchoolYear(const QString &dataDir)
{
    if (ServerAddress::isServerAddress(dataDir)) {
        if (!Database::open(dataDir, Database::Access::ReadOnly).hasTable(schema::usuario().name))
            throw StoreError(QStringLiteral("Não há ano letivo em %1.").arg(dataDir));
        return Database::open(dataDir);
    }
    if (!QFileInfo::exists(core::joinPath(dataDir, QString::fromLatin1(kStoreFileName))))
        throw StoreError(QStringLiteral("Não há ano letivo na pasta %1.").arg(dataDir));
    return Database::open(dataDir);
}

bool ensureUsersTable(const QString &usersDir)
{
    if (!ServerAddress::isServerAddress(usersDir) && !QDir().mkpath(usersDir))
        throw StoreError(QStringLiteral("Não foi possível criar a pasta %1.").arg(usersDir));
    const Database db = Database::open(usersDir);
    const TableDef def = schema::usuarios();
    if (db.hasTable(def.name))
        return false;
    Transaction transaction(db);
    db.createTable(def);
    db.exec(QStringLiteral("insert into Usuarios (UserID, Alunos, Notas, Caixa, Carnes, Backup, "
                           "Tabelas, CriarUsuer, Supervisor) values ('SUPERVISOR', :on, :on, :on, "
                           ":on, :on, :on, :on, :on)"),
            {{QStringLiteral("on"), true}});
    transaction.commit();
    return true;
}

} // namespace data
