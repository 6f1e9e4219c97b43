#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempDir::TempDir() : m_dir(QDir::tempPath() + QStringLiteral("/lumesco-test-XXXXXX")) {}

QString TempDir::file(const QString &name) const
{
    return QDir(m_dir.path()).filePath(name);
}

QString TempDir::write(const QString &name, const QByteArray &bytes) const
{
    const QString path = file(name);
    QDir(m_dir.path()).mkpath(QFileInfo(name).path());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QByteArray TempDir::read(const QString &name) const
{
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
