#pragma once

#include "core/TextFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// What the fuzz targets share: the input as bytes, as the text a file of the school would give
// (Windows-1252), as lines, or written to a scratch file.
namespace fuzz {

inline QByteArray bytes(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

inline QString text(const std::uint8_t *data, std::size_t size)
{
    return core::fromWindows1252(bytes(data, size));
}

inline QStringList lines(const std::uint8_t *data, std::size_t size)
{
    QString all = text(data, size);
    all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return all.split(u'\n');
}

// A scratch folder for the whole run; each input overwrites the same file.
inline QString writeScratch(const QString &name, const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir scratch;
    const QString path = QDir(scratch.path()).filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    return path;
}

inline QString scratchFolder(const QString &name)
{
    static QTemporaryDir scratch;
    QDir dir(QDir(scratch.path()).filePath(name));
    dir.removeRecursively();
    QDir().mkpath(dir.path());
    return dir.path();
}

} // namespace fuzz
