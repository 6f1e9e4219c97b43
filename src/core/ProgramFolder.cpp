#include "core/ProgramFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

namespace core {

namespace {

QByteArray digestOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex();
}

// One line a file: digest, blank, relative path (UTF-8; the record is ours, not the school's).
QHash<QString, QByteArray> readRecord(const QString &path)
{
    QHash<QString, QByteArray> record;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return record;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        const qsizetype blank = line.indexOf(' ');
        if (blank > 0)
            record.insert(QString::fromUtf8(line.mid(blank + 1)), line.left(blank));
    }
    return record;
}

bool writeRecord(const QString &path, const QHash<QString, QByteArray> &record)
{
    QStringList names = record.keys();
    names.sort();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString &name : names)
        file.write(record.value(name) + ' ' + name.toUtf8() + '\n');
    return file.commit();
}

// Written beside the target and renamed over it, so a crash never leaves half a help page.
bool copyOver(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    target.write(source.readAll());
    return target.commit();
}

} // namespace

QString installedDefaultsDirectory(const QString &executableDirectory)
{
    const QDir bin(executableDirectory);
    if (bin.dirName() != u"bin")
        return {};
    const QString defaults = QDir::cleanPath(bin.absoluteFilePath(QStringLiteral("../share/lumesco/defaults")));
    return QFileInfo(defaults).isDir() ? defaults : QString();
}

QString userProgramFolder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::home().filePath(QStringLiteral(".local/share"));
    return QDir::cleanPath(QDir(base).filePath(QStringLiteral("Lumesco")));
}

QString chooseProgramDirectory(const QString &commandLineDirectory,
                               const QString &environmentDirectory, bool installed,
                               const QString &workingDirectory)
{
    if (!commandLineDirectory.isEmpty())
        return QDir::cleanPath(QDir(workingDirectory).absoluteFilePath(commandLineDirectory));
    if (!environmentDirectory.isEmpty())
        return QDir::cleanPath(QDir(workingDirectory).absoluteFilePath(environmentDirectory));
    if (installed)
        return userProgramFolder();
    return workingDirectory;
}

DefaultsRefresh refreshDefaults(const QString &defaultsDirectory, const QString &programDirectory)
{
    DefaultsRefresh result;
    const QDir defaults(defaultsDirectory);
    const QDir program(programDirectory);
    const QString recordPath = program.filePath(QString::fromLatin1(kDefaultsRecordName));
    QHash<QString, QByteArray> record = readRecord(recordPath);
    bool recordChanged = false;

    QDirIterator files(defaultsDirectory, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    QStringList names;
    while (files.hasNext())
        names.append(defaults.relativeFilePath(files.next()));
    names.sort();

    for (const QString &name : names) {
        const QString source = defaults.filePath(name);
        const QString target = program.filePath(name);
        const QByteArray shipped = digestOf(source);
        if (QFileInfo::exists(target)) {
            const QByteArray present = digestOf(target);
            if (present == shipped) {
                if (record.value(name) != shipped) {
                    record.insert(name, shipped);
                    recordChanged = true;
                }
                continue;
            }
            // Replaced only while it is still the copy made by an earlier start.
            if (!record.contains(name) || record.value(name) != present) {
                result.kept.append(name);
                continue;
            }
        }
        if (!program.mkpath(QFileInfo(name).path()) || !copyOver(source, target)) {
            result.error = QStringLiteral("Não foi possível copiar %1 para a pasta do programa %2.")
                               .arg(name, QDir::toNativeSeparators(programDirectory));
            break;
        }
        record.insert(name, shipped);
        recordChanged = true;
        result.copied.append(name);
    }
    if (recordChanged && !writeRecord(recordPath, record) && result.error.isEmpty())
        result.error = QStringLiteral("Não foi possível gravar o arquivo %1.")
                           .arg(QDir::toNativeSeparators(recordPath));
    return result;
}

QString resolveProgramDirectory(const QString &executableDirectory,
                                const QString &commandLineDirectory, QString *error)
{
    const QString defaults = installedDefaultsDirectory(executableDirectory);
    const QString directory =
        chooseProgramDirectory(commandLineDirectory, qEnvironmentVariable("LUMESCO_PROGRAM_DIR"),
                               !defaults.isEmpty(), QDir::currentPath());
    if (!QDir().mkpath(directory)) {
        *error = QStringLiteral("Não foi possível criar a pasta do programa %1.")
                     .arg(QDir::toNativeSeparators(directory));
        return directory;
    }
    if (!defaults.isEmpty())
        *error = refreshDefaults(defaults, directory).error;
    return directory;
}

QString enterProgramDirectory(const QString &executableDirectory,
                              const QString &commandLineDirectory)
{
    QString error;
    const QString directory =
        resolveProgramDirectory(executableDirectory, commandLineDirectory, &error);
    if (error.isEmpty() && !QDir::setCurrent(directory))
        error = QStringLiteral("Não foi possível usar a pasta do programa %1.")
                    .arg(QDir::toNativeSeparators(directory));
    return error;
}

} // namespace core
