#include "core/ProgramDirs.h"

#include <QDir>

namespace core {

ProgramDirs &programDirs()
{
    static ProgramDirs dirs;
    return dirs;
}

QString joinPath(const QString &directory, const QString &name)
{
    if (directory.isEmpty())
        return name;
    return QDir::cleanPath(QDir(directory).filePath(name));
}

} // namespace core
