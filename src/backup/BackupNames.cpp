#include "backup/BackupNames.h"

namespace backup {

QString defaultArchiveName(const QDate &today, const QString &schoolYear, const QString &user)
{
    return today.toString(QStringLiteral("yyyyMMdd")) + u'_' + schoolYear + u'_' + user +
           QStringLiteral(".Zip");
}

QString withZipExtension(const QString &name)
{
    if (name.contains(QStringLiteral(".zip"), Qt::CaseInsensitive))
        return name;
    return name + QStringLiteral(".zip");
}

QString logPathFor(const QString &archivePath)
{
    return archivePath.chopped(qMin<qsizetype>(4, archivePath.size())) + QStringLiteral(".log");
}

} // namespace backup
