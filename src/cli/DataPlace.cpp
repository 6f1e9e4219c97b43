#include "cli/DataPlace.h"

#include "cli/Verb.h"
#include "data/store/ServerAddress.h"

#include <QDir>
#include <QFileInfo>

namespace cli {

QString dataPlace(const QString &given)
{
    return data::ServerAddress::isServerAddress(given) ? given.trimmed() : QDir(given).absolutePath();
}

bool dataPlaceExists(const QString &place)
{
    return data::ServerAddress::isServerAddress(place) || QDir(place).exists();
}

data::Database openExistingTables(const QString &place, data::Database::Access access)
{
    const bool server = data::ServerAddress::isServerAddress(place);
    // A server year opened to read is not made: the store refuses one the server lacks.
    const bool there = server ? data::Database::open(place, data::Database::Access::ReadOnly).isValid()
                              : QFileInfo::exists(QDir(place).filePath(QString::fromLatin1(data::kStoreFileName)));
    if (!there)
        throw Failure(QStringLiteral("não há banco de dados em %1").arg(QDir::toNativeSeparators(place)));
    return data::Database::open(place, access);
}

} // namespace cli
