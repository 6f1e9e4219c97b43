#pragma once

#include "backup/zip/TZipMaster.h"

#include "support/TempDir.h"

#include <QDir>
#include <QStringList>

// A scratch folder with a data directory, a backup folder and the archive component whose
// events are recorded; files are compared byte for byte.
class ZipFixture
{
public:
    ZipFixture();

    QString dataDir() const { return m_root.file(QStringLiteral("Data")); }
    QString backupDir() const { return m_root.file(QStringLiteral("BACKUP")); }
    QString archive() const { return QDir(backupDir()).filePath(QStringLiteral("copia.zip")); }
    QString path(const QString &relative) const { return m_root.file(relative); }

    // Writes a file below the scratch folder (folders made as needed); returns its path.
    QString write(const QString &relative, const QByteArray &bytes) const;
    QByteArray read(const QString &relative) const;
    // Every file below `folder`, relative names sorted, with their contents.
    QMap<QString, QByteArray> tree(const QString &folder) const;

    // Add of `files` into archive(), from the data directory.
    int add(const QStringList &files, backup::AddOptions options = {});
    int extract(const QString &destination, const QStringList &entries = {},
                backup::ExtractOptions options = {});

    backup::TZipMaster zip;
    QStringList messages; // "code|text"
    QStringList progress; // "1 name size", "2 size", "3"
    // Answer of the callback after each event; set it to stop the run.
    std::function<bool()> stopWhen = [] { return false; };

private:
    TempDir m_root;
};
