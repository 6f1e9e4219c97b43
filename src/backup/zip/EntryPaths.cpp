#include "backup/zip/EntryPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace backup {

QString storedName(const QString &filePath, const QString &baseDir, bool storeDirNames)
{
    const QFileInfo file(filePath);
    if (!storeDirNames)
        return file.fileName();
    const QString absolute = QDir::cleanPath(file.absoluteFilePath());
    if (!baseDir.isEmpty()) {
        const QString relative = QDir(baseDir).relativeFilePath(absolute);
        if (!relative.startsWith(QStringLiteral("..")) && !QDir::isAbsolutePath(relative))
            return relative;
    }
    QString name = absolute;
    if (name.size() >= 2 && name.at(1) == u':')
        name.remove(0, 2);
    while (name.startsWith(u'/'))
        name.remove(0, 1);
    return name;
}

std::optional<QString> safeRelativePath(const QString &entryName)
{
    QString name = entryName;
    name.replace(u'\\', u'/');
    if (name.startsWith(u'/') || (name.size() >= 2 && name.at(1) == u':'))
        return std::nullopt;
    QStringList parts;
    for (const QString &part : name.split(u'/', Qt::SkipEmptyParts)) {
        if (part == QStringLiteral(".."))
            return std::nullopt;
        if (part != QStringLiteral("."))
            parts.append(part);
    }
    return parts.join(u'/');
}

} // namespace backup
