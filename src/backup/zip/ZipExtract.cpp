#include "backup/zip/DatabaseSnapshot.h"
#include "backup/zip/EntryPaths.h"
#include "backup/zip/ZipCallbackGuard.h"
#include "backup/zip/ZipDirectory.h"
#include "backup/zip/ZipEngine.h"
#include "data/bulk/BulkRun.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryFile>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <io.h>
#endif
#include <zip.h>

namespace backup {

namespace {

constexpr qint64 kBlockSize = 64 * 1024;

const QString kNothingRestored =
    QStringLiteral("Nenhum arquivo foi recuperado: os arquivos do destino ficaram como estavam.");

// An entry written beside its destination, waiting to replace it.
struct Pending
{
    QString name;
    QString target;
    std::unique_ptr<QTemporaryFile> file;
};

struct Archive
{
    zip_t *handle = nullptr;
    ~Archive()
    {
        if (handle)
            zip_discard(handle);
    }
};

QString entryName(zip_t *archive, zip_uint64_t index)
{
    const QByteArray raw(zip_get_name(archive, index, ZIP_FL_ENC_RAW));
    // Read strictly, a name without the UTF-8 flag is converted from code page 437, so
    // bytes that come back unchanged carry the flag (or are plain ASCII).
    const char *strict = zip_get_name(archive, index, ZIP_FL_ENC_STRICT);
    return decodeEntryName(raw, strict && raw == QByteArray(strict));
}

bool matches(const QString &name, const QString &spec)
{
    if (!spec.contains(u'*') && !spec.contains(u'?'))
        return name.compare(spec, Qt::CaseInsensitive) == 0;
    // As unzip does, "*" also matches across folder names.
    QString expression = QRegularExpression::escape(spec);
    expression.replace(QStringLiteral("\\*"), QStringLiteral(".*"));
    expression.replace(QStringLiteral("\\?"), QStringLiteral("."));
    const QRegularExpression pattern(QRegularExpression::anchoredPattern(expression),
                                     QRegularExpression::CaseInsensitiveOption);
    return pattern.match(name).hasMatch();
}

bool isSymbolicLink(zip_t *archive, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) < 0)
        return false;
    return system == ZIP_OPSYS_UNIX && ((attributes >> 16) & S_IFMT) == S_IFLNK;
}

// The file's bytes reach the disk before it takes the old file's place, so that after a power
// cut the destination holds the old file or the whole new one, never a renamed empty one.
bool syncToDisk(QFile &file)
{
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#elif defined(Q_OS_WIN)
    return ::_commit(file.handle()) == 0;
#else
    return true;
#endif
}

// The renames themselves are kept by the folder's entry on disk.
void syncFolder(const QString &folder)
{
#ifdef Q_OS_UNIX
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
#else
    Q_UNUSED(folder);
#endif
}

bool isInside(const QString &folder, const QString &root)
{
    return folder == root || folder.startsWith(root.endsWith(u'/') ? root : root + u'/');
}

class Extraction
{
public:
    Extraction(const ExtractRequest &request, ZipCallbackGuard &guard, zip_t *archive,
               const QString &root)
        : m_request(request), m_guard(guard), m_archive(archive), m_root(root)
    {
    }

    // Writes the entry beside its destination; false stops the whole restore.
    bool stage(zip_uint64_t index, const QString &name)
    {
        const std::optional<QString> relative = safeRelativePath(name);
        if (!relative || relative->isEmpty() || isSymbolicLink(m_archive, index)) {
            m_guard.message(QStringLiteral("Recusado: %1 (nome fora da pasta de destino ou "
                                           "vínculo simbólico)")
                                .arg(name),
                            ZIP_ER_INVAL);
            return true;
        }
        if (name.endsWith(u'/') || name.endsWith(u'\\')) {
            if (m_request.directoryNames)
                QDir(m_root).mkpath(*relative);
            return true;
        }
        const QString target = QDir(m_root).filePath(
            m_request.directoryNames ? *relative : relative->section(u'/', -1));
        const QFileInfo existing(target);
        if (existing.exists() && !m_request.overwrite) {
            if (m_request.verbose)
                m_guard.message(QStringLiteral("  mantido: %1 (já existe)").arg(name));
            return true;
        }
        const QString folder = existing.absolutePath();
        if (!QDir().mkpath(folder) || !isInside(QFileInfo(folder).canonicalFilePath(), m_root)) {
            m_guard.message(QStringLiteral("Recusado: %1 (a pasta não está dentro do destino)")
                                .arg(name),
                            ZIP_ER_INVAL);
            return true;
        }
        return copyOut(index, name, target);
    }

    // Before any file is replaced: a database about to be replaced is settled first, and a
    // journal or log left beside a missing one goes, so nothing of an old file's half-done
    // transaction is rolled into the restored one. False (with its message) leaves every
    // destination file as it was.
    bool prepareTargets()
    {
        for (const Pending &pending : m_pending) {
            const QStringList companions{pending.target + QStringLiteral("-journal"),
                                         pending.target + QStringLiteral("-wal")};
            bool left = false;
            for (const QString &companion : companions)
                left = left || QFileInfo::exists(companion);
            if (!left)
                continue;
            try {
                if (QFileInfo::exists(pending.target)) {
                    if (isSqliteDatabase(pending.target))
                        settleDatabase(pending.target);
                } else {
                    for (const QString &companion : companions)
                        if (QFileInfo::exists(companion) && !QFile::remove(companion))
                            throw ZipEngineError(QStringLiteral("não foi possível apagar %1")
                                                     .arg(QDir::toNativeSeparators(companion))
                                                     .toStdString());
                }
            } catch (const ZipEngineError &e) {
                return failed(pending.name, QString::fromStdString(e.what()), ZIP_ER_INUSE);
            }
        }
        return true;
    }

    // Every staged file replaces its destination.
    int commit()
    {
        int written = 0;
        QSet<QString> folders;
        for (Pending &pending : m_pending) {
            data::BulkRun::crashPoint();
            pending.file->close();
            std::error_code error;
            std::filesystem::rename(std::filesystem::path(pending.file->fileName().toStdU16String()),
                                    std::filesystem::path(pending.target.toStdU16String()), error);
            if (error) {
                m_guard.message(QStringLiteral("Erro ao gravar %1: %2")
                                    .arg(QDir::toNativeSeparators(pending.target),
                                         QString::fromLocal8Bit(error.message())),
                                ZIP_ER_RENAME);
                continue;
            }
            pending.file->setAutoRemove(false);
            ++written;
            folders.insert(QFileInfo(pending.target).absolutePath());
        }
        for (const QString &folder : folders)
            syncFolder(folder);
        return written;
    }

private:
    bool copyOut(zip_uint64_t index, const QString &name, const QString &target)
    {
        zip_stat_t stat;
        zip_stat_init(&stat);
        zip_stat_index(m_archive, index, 0, &stat);
        auto file = std::make_unique<QTemporaryFile>(QFileInfo(target).absolutePath() +
                                                     QStringLiteral("/.restaurando-XXXXXX"));
        if (!file->open())
            return failed(name, file->errorString(), ZIP_ER_TMPOPEN);
        zip_file_t *entry = zip_fopen_index(m_archive, index, 0);
        if (!entry)
            return failed(name, QString::fromLocal8Bit(zip_strerror(m_archive)),
                          zip_error_code_zip(zip_get_error(m_archive)));
        m_guard.call({ZipAction::FileStart, 0, qint64(stat.size), name});
        data::BulkRun::crashPoint();
        if (m_request.verbose)
            m_guard.message(QStringLiteral("  recuperando: %1").arg(name));
        QByteArray buffer(kBlockSize, Qt::Uninitialized);
        qint64 done = 0;
        for (;;) {
            if (m_guard.stopRequested()) {
                zip_fclose(entry);
                return false;
            }
            const zip_int64_t read = zip_fread(entry, buffer.data(), zip_uint64_t(buffer.size()));
            if (read < 0) {
                const QString reason = QString::fromLocal8Bit(zip_file_strerror(entry));
                const int code = zip_error_code_zip(zip_file_get_error(entry));
                zip_fclose(entry);
                return failed(name, reason, code);
            }
            if (read == 0)
                break;
            if (file->write(buffer.constData(), read) != read) {
                zip_fclose(entry);
                return failed(name, file->errorString(), ZIP_ER_WRITE);
            }
            done += read;
            m_guard.call({ZipAction::BlockDone, 0, done, name});
            data::BulkRun::crashPoint();
        }
        zip_fclose(entry);
        if ((stat.valid & ZIP_STAT_SIZE) && zip_uint64_t(done) != stat.size)
            return failed(name, QStringLiteral("tamanho diferente do registrado"), ZIP_ER_INCONS);
        if (!file->flush() || !syncToDisk(*file))
            return failed(name, file->errorString(), ZIP_ER_WRITE);
        const QFileInfo old(target);
        file->setPermissions(old.exists() ? old.permissions()
                                          : QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadGroup | QFile::ReadOther);
        if (stat.valid & ZIP_STAT_MTIME)
            file->setFileTime(QDateTime::fromSecsSinceEpoch(stat.mtime),
                              QFileDevice::FileModificationTime);
        m_pending.push_back({name, target, std::move(file)});
        return true;
    }

    bool failed(const QString &name, const QString &reason, int code)
    {
        m_guard.message(QStringLiteral("Erro ao recuperar %1: %2").arg(name, reason),
                        code > 0 ? code : ZIP_ER_INTERNAL);
        return false;
    }

    const ExtractRequest &m_request;
    ZipCallbackGuard &m_guard;
    zip_t *m_archive;
    QString m_root;
    std::vector<Pending> m_pending;
};

} // namespace

int zipExtract(const ExtractRequest &request, const ZipCallback &callback)
{
    ZipCallbackGuard guard(callback);
    auto finish = [&guard](int count) {
        guard.batchDone();
        guard.rethrow();
        return count;
    };
    int error = 0;
    Archive archive;
    archive.handle = zip_open(QFile::encodeName(request.archive).constData(),
                              ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive.handle) {
        zip_error_t reason;
        zip_error_init_with_code(&reason, error);
        guard.message(QStringLiteral("Não foi possível ler o arquivo ZIP %1: %2")
                          .arg(QDir::toNativeSeparators(request.archive),
                               QString::fromLocal8Bit(zip_error_strerror(&reason))),
                      error > 0 ? error : ZIP_ER_NOZIP);
        zip_error_fini(&reason);
        return finish(0);
    }
    // Never into some other folder: a destination that is missing is created.
    if (!QDir().mkpath(request.destination)) {
        guard.message(QStringLiteral("Não foi possível criar a pasta %1")
                          .arg(QDir::toNativeSeparators(request.destination)),
                      ZIP_ER_OPEN);
        return finish(0);
    }
    Extraction extraction(request, guard, archive.handle,
                          QFileInfo(request.destination).canonicalFilePath());
    QList<bool> specFound(request.specs.size(), false);
    const zip_int64_t count = zip_get_num_entries(archive.handle, 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        const QString name = entryName(archive.handle, zip_uint64_t(index));
        bool chosen = request.specs.isEmpty();
        for (qsizetype s = 0; s < request.specs.size(); ++s)
            if (matches(name, request.specs[s]))
                chosen = specFound[s] = true;
        if (!chosen)
            continue;
        if (!extraction.stage(zip_uint64_t(index), name)) {
            guard.message(guard.stopRequested()
                              ? QStringLiteral("Operação cancelada: nenhum arquivo foi alterado.")
                              : kNothingRestored);
            return finish(0);
        }
    }
    for (qsizetype s = 0; s < request.specs.size(); ++s)
        if (!specFound[s])
            guard.message(QStringLiteral("  aviso: %1 não está no arquivo ZIP").arg(request.specs[s]));
    if (!extraction.prepareTargets()) {
        guard.message(kNothingRestored);
        return finish(0);
    }
    return finish(extraction.commit());
}

} // namespace backup
