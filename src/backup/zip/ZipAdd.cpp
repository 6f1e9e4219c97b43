#include "backup/zip/DatabaseSnapshot.h"
#include "backup/zip/EntryPaths.h"
#include "backup/zip/ZipCallbackGuard.h"
#include "backup/zip/ZipEngine.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <zip.h>

namespace backup {

namespace {

// Progress reaches the window once per block, not once per read of libzip.
constexpr qint64 kBlockSize = 64 * 1024;

struct FileToAdd
{
    QString path;
    QString storedName;
    QString readFrom; // the file itself, or the consistent copy of a database
    qint64 size = 0;
    time_t modified = 0;
};

bool isPattern(const QString &name)
{
    return name.contains(u'*') || name.contains(u'?');
}

// A file, a folder (its files; with `recurse` those of its sub-folders too) or a pattern
// such as "/dados/*.db".
QStringList expandSpec(const QString &spec, bool recurse)
{
    const QFileInfo info(spec);
    if (info.isFile())
        return {info.absoluteFilePath()};
    QString folder = spec;
    QStringList filters;
    if (!info.isDir()) {
        if (!isPattern(info.fileName()))
            return {};
        folder = info.absolutePath();
        filters = QStringList{info.fileName()};
    }
    QStringList files;
    QDirIterator it(folder, filters, QDir::Files,
                    recurse ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

// One file of the archive, read by libzip while it writes (zip_close).
class FileSource
{
public:
    FileSource(const FileToAdd &file, ZipCallbackGuard &callback, bool verbose)
        : m_file(file), m_callback(callback), m_verbose(verbose)
    {
        zip_error_init(&m_error);
    }
    ~FileSource() { zip_error_fini(&m_error); }

    static zip_int64_t run(void *state, void *data, zip_uint64_t length, zip_source_cmd_t command)
    {
        return static_cast<FileSource *>(state)->handle(data, length, command);
    }

private:
    zip_int64_t handle(void *data, zip_uint64_t length, zip_source_cmd_t command)
    {
        switch (command) {
        case ZIP_SOURCE_OPEN:
            m_input.setFileName(m_file.readFrom);
            if (!m_input.open(QIODevice::ReadOnly))
                return fail(ZIP_ER_OPEN);
            m_done = 0;
            m_reported = 0;
            m_callback.call({ZipAction::FileStart, 0, m_file.size, m_file.storedName});
            if (m_verbose)
                m_callback.message(QStringLiteral("  adicionando: %1").arg(m_file.storedName));
            return 0;
        case ZIP_SOURCE_READ: {
            if (m_callback.stopRequested())
                return fail(ZIP_ER_CANCELLED);
            const qint64 read = m_input.read(static_cast<char *>(data),
                                             qint64(qMin<zip_uint64_t>(length, 1 << 30)));
            if (read < 0)
                return fail(ZIP_ER_READ);
            m_done += read;
            if (m_done - m_reported >= kBlockSize || (read == 0 && m_done > m_reported)) {
                m_reported = m_done;
                m_callback.call({ZipAction::BlockDone, 0, m_done, m_file.storedName});
            }
            return read;
        }
        case ZIP_SOURCE_CLOSE:
            m_input.close();
            return 0;
        case ZIP_SOURCE_STAT: {
            zip_stat_t *stat = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &m_error);
            if (!stat)
                return -1;
            zip_stat_init(stat);
            stat->valid = ZIP_STAT_SIZE | ZIP_STAT_MTIME;
            stat->size = zip_uint64_t(m_file.size);
            stat->mtime = m_file.modified;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&m_error, data, length);
        case ZIP_SOURCE_FREE:
            delete this;
            return 0;
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ,
                                                  ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                  ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default:
            return fail(ZIP_ER_OPNOTSUPP);
        }
    }

    zip_int64_t fail(int code)
    {
        zip_error_set(&m_error, code, code == ZIP_ER_CANCELLED ? 0 : errno);
        return -1;
    }

    FileToAdd m_file;
    ZipCallbackGuard &m_callback;
    bool m_verbose;
    QFile m_input;
    qint64 m_done = 0;
    qint64 m_reported = 0;
    zip_error_t m_error;
};

int cancelRequested(zip_t *, void *state)
{
    return static_cast<ZipCallbackGuard *>(state)->stopRequested() ? 1 : 0;
}

QString libzipError(zip_t *archive)
{
    return QString::fromLocal8Bit(zip_strerror(archive));
}

// The files of the request, each once, and the journals of databases left out.
QList<FileToAdd> collectFiles(const AddRequest &request, ZipCallbackGuard &callback)
{
    QStringList paths;
    QSet<QString> seen;
    for (const QString &spec : request.specs) {
        const QStringList found = expandSpec(spec, request.recurse);
        if (found.isEmpty())
            callback.message(QStringLiteral("  aviso: nenhum arquivo encontrado para %1")
                                 .arg(QDir::toNativeSeparators(spec)));
        for (const QString &path : found)
            if (!seen.contains(path)) {
                seen.insert(path);
                paths.append(path);
            }
    }
    QList<FileToAdd> files;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        files.append({path, storedName(path, request.baseDir, request.storeDirNames), path,
                      info.size(), info.lastModified().toSecsSinceEpoch()});
    }
    return files;
}

} // namespace

int zipAdd(const AddRequest &request, const ZipCallback &callback)
{
    ZipCallbackGuard guard(callback);
    QList<FileToAdd> files = collectFiles(request, guard);

    QTemporaryDir snapshots;
    if (!snapshots.isValid())
        throw ZipEngineError("no temporary folder for the database copies");
    QStringList databases;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (!isSqliteDatabase(files[i].path))
            continue;
        databases.append(files[i].path);
        files[i].readFrom = snapshots.filePath(QString::number(i));
        snapshotDatabase(files[i].path, files[i].readFrom);
        files[i].size = QFileInfo(files[i].readFrom).size();
    }
    files.removeIf([&](const FileToAdd &file) {
        for (const QString &database : databases)
            if (isDatabaseCompanion(file.path, database)) {
                guard.message(QStringLiteral("  omitido: %1 (arquivo de controle do banco de "
                                             "dados, sem dados próprios)")
                                  .arg(file.storedName));
                return true;
            }
        return false;
    });
    guard.rethrow();
    if (files.isEmpty()) {
        guard.message(QStringLiteral("Nenhum arquivo para compactar."));
        guard.batchDone();
        return 0;
    }

    // libzip writes the archive only in zip_close, into a temporary file renamed over the
    // archive at the very end, so a failed or cancelled run leaves no half archive.
    QDir().mkpath(QFileInfo(request.archive).absolutePath());
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(request.archive).constData(),
                              ZIP_CREATE | (request.replace ? ZIP_TRUNCATE : 0), &error);
    if (!archive) {
        zip_error_t reason;
        zip_error_init_with_code(&reason, error);
        guard.message(QStringLiteral("Não foi possível abrir o arquivo ZIP %1: %2")
                          .arg(QDir::toNativeSeparators(request.archive),
                               QString::fromLocal8Bit(zip_error_strerror(&reason))),
                      error);
        zip_error_fini(&reason);
        guard.batchDone();
        return 0;
    }
    zip_register_cancel_callback_with_state(archive, cancelRequested, nullptr, &guard);
    for (const FileToAdd &file : files) {
        auto *state = new FileSource(file, guard, request.verbose);
        zip_source_t *source = zip_source_function(archive, FileSource::run, state);
        if (!source)
            delete state;
        const zip_int64_t index =
            source ? zip_file_add(archive, file.storedName.toUtf8().constData(), source,
                                  ZIP_FL_OVERWRITE | ZIP_FL_ENC_GUESS)
                   : -1;
        if (index < 0 || zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE,
                                                  zip_uint32_t(request.level)) < 0) {
            if (source && index < 0)
                zip_source_free(source);
            guard.message(QStringLiteral("Erro ao incluir %1: %2")
                              .arg(file.storedName, libzipError(archive)),
                          zip_error_code_zip(zip_get_error(archive)));
            zip_discard(archive);
            guard.batchDone();
            return 0;
        }
    }
    if (zip_close(archive) < 0) {
        const int code = zip_error_code_zip(zip_get_error(archive));
        if (code == ZIP_ER_CANCELLED || guard.stopRequested())
            guard.message(QStringLiteral("Operação cancelada: nenhum arquivo foi gravado."));
        else
            guard.message(QStringLiteral("Erro ao gravar o arquivo ZIP: %1").arg(libzipError(archive)),
                          code);
        zip_discard(archive);
        guard.batchDone();
        guard.rethrow();
        return 0;
    }
    guard.batchDone();
    guard.rethrow();
    return int(files.size());
}

} // namespace backup
