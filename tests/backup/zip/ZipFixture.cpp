#include "backup/zip/ZipFixture.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

using namespace backup;

ZipFixture::ZipFixture()
{
    QDir().mkpath(dataDir());
    QDir().mkpath(backupDir());
    zip.events().message = [this](int code, const QString &text) {
        messages.append(QString::number(code) + u'|' + text);
        if (stopWhen())
            zip.cancel();
    };
    zip.events().progress = [this](ZipAction action, const QString &name, qint64 size) {
        if (action == ZipAction::FileStart)
            progress.append(QStringLiteral("1 %1 %2").arg(name).arg(size));
        else if (action == ZipAction::BlockDone)
            progress.append(QStringLiteral("2 %1").arg(size));
        else
            progress.append(QStringLiteral("3"));
        if (stopWhen())
            zip.cancel();
    };
}

QString ZipFixture::write(const QString &relative, const QByteArray &bytes) const
{
    const QString file = m_root.file(relative);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile out(file);
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(bytes);
    return file;
}

QByteArray ZipFixture::read(const QString &relative) const
{
    QFile in(m_root.file(relative));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<ausente>");
}

QMap<QString, QByteArray> ZipFixture::tree(const QString &folder) const
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QFile in(file);
        in.open(QIODevice::ReadOnly);
        files.insert(QDir(folder).relativeFilePath(file), in.readAll());
    }
    return files;
}

int ZipFixture::add(const QStringList &files, AddOptions options)
{
    QDir::setCurrent(dataDir());
    if (zip.archiveName().isEmpty())
        zip.setArchiveName(archive());
    zip.fileSpecs() = files;
    zip.addOptions() = options;
    zip.add();
    return zip.successCount();
}

int ZipFixture::extract(const QString &destination, const QStringList &entries,
                        ExtractOptions options)
{
    zip.setExtractDir(destination);
    zip.fileSpecs() = entries;
    zip.extractOptions() = options;
    zip.extract();
    return zip.successCount();
}
