#include "backup/ServerYearArchive.h"

#include "data/maintenance/YearMigration.h"
#include "data/store/Database.h"
#include "data/store/ServerAddress.h"
#include "data/store/StoreError.h"
#include "data/store/UnusedConnection.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QUrlQuery>

namespace backup {

namespace {

// Closes the school-year file of `folder` when it goes out of scope, the copy done or failed:
// the caller zips and removes the file, which must not stay open until the next log-off.
class FileClosing
{
public:
    explicit FileClosing(QString folder) : m_folder(std::move(folder)) {}
    ~FileClosing() { data::closeUnusedConnection(m_folder); }
    FileClosing(const FileClosing &) = delete;
    FileClosing &operator=(const FileClosing &) = delete;

private:
    QString m_folder;
};

} // namespace

QString stageServerYear(const QString &address, const QString &folder)
{
    const data::Database year = data::Database::open(address, data::Database::Access::ReadOnly);
    const FileClosing closing(folder);
    const data::Database file = data::Database::open(folder);
    data::migrateSchoolYear(year, file);
    return file.filePath();
}

void loadIntoServerYear(const QString &folder, const QString &address)
{
    if (!QFileInfo::exists(QDir(folder).filePath(QString::fromLatin1(data::kStoreFileName))))
        throw data::StoreError(QStringLiteral("O back-up não tem um ano letivo (%1).").arg(QString::fromLatin1(data::kStoreFileName)));
    const FileClosing closing(folder);
    const data::Database file = data::Database::open(folder, data::Database::Access::ReadOnly);
    const data::Database year = data::Database::open(address);
    // Replacing the tables under another desk's open window would leave it showing rows that
    // are gone and writing into tables that no longer exist.
    for (const QString &table : year.tableNames())
        if (year.isTableOpenElsewhere(table))
            throw data::StoreError(
                QStringLiteral("A tabela %1 está sendo usada por outro usuário.").arg(table));
    data::migrateSchoolYear(file, year, data::MigrationMode::Replace);
}

QString dataPlaceText(const QString &dataDir)
{
    if (!data::ServerAddress::isServerAddress(dataDir))
        return QStringLiteral("Pasta %1").arg(QDir::toNativeSeparators(dataDir));
    try {
        const data::ServerAddress address = data::ServerAddress::parse(dataDir);
        const QUrl url(address.text);
        // Through a local socket the host is a folder of this machine, not a name anyone knows.
        QString host = url.host();
        if (host.isEmpty()) {
            const QString given = QUrlQuery(url).queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded);
            host = given.isEmpty() || given.startsWith(u'/') ? QStringLiteral("deste computador") : given;
        }
        return QStringLiteral("Ano letivo %1 no servidor %2 (banco %3)")
            .arg(QString::number(address.year), host, url.path().mid(1));
    } catch (const data::StoreError &) {
        return dataDir.trimmed();
    }
}

} // namespace backup
