#include "backup/zip/DatabaseSnapshot.h"

#include "backup/zip/ZipEngine.h"
#include "data/store/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace backup {

namespace {

class Connection
{
public:
    explicit Connection(const QString &path)
    {
        // Read-write, without creating, so a reader may roll back a journal left by a crashed
        // writer, as any SQLite reader does; nothing else is ever written.
        const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                                       SQLITE_OPEN_READWRITE, nullptr);
        if (rc != SQLITE_OK)
            fail(QStringLiteral("não foi possível abrir %1").arg(path));
        sqlite3_busy_timeout(m_db, 10000);
    }
    ~Connection() { sqlite3_close_v2(m_db); }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    sqlite3 *handle() const { return m_db; }

    sqlite3_file *file() const
    {
        sqlite3_file *file = nullptr;
        if (sqlite3_file_control(m_db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK ||
            !file || !file->pMethods)
            fail(QStringLiteral("arquivo do banco de dados inacessível"));
        return file;
    }

    void exec(const char *sql) const
    {
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(QString::fromLatin1(sql));
    }

    QString text(const char *sql) const
    {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) != SQLITE_OK)
            fail(QString::fromLatin1(sql));
        QString result;
        if (sqlite3_step(statement) == SQLITE_ROW)
            result = QString::fromUtf8(
                reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        return result;
    }

    [[noreturn]] void fail(const QString &what) const
    {
        const QString reason = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
        throw ZipEngineError(
            QStringLiteral("Cópia do banco de dados: %1: %2").arg(what, reason).toStdString());
    }

private:
    sqlite3 *m_db = nullptr;
};

void copyBytes(sqlite3_file *source, QFile &out, const Connection &connection)
{
    sqlite3_int64 size = 0;
    if (source->pMethods->xFileSize(source, &size) != SQLITE_OK)
        connection.fail(QStringLiteral("tamanho do arquivo"));
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (sqlite3_int64 at = 0; at < size;) {
        const int chunk = int(qMin<sqlite3_int64>(buffer.size(), size - at));
        if (source->pMethods->xRead(source, buffer.data(), chunk, at) != SQLITE_OK)
            connection.fail(QStringLiteral("leitura"));
        if (out.write(buffer.constData(), chunk) != chunk)
            connection.fail(QStringLiteral("gravação de %1").arg(out.fileName()));
        at += chunk;
    }
}

void onlineBackup(const Connection &source, const QString &target)
{
    sqlite3 *destination = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(target).constData(), &destination,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(destination);
        source.fail(QStringLiteral("criação de %1").arg(target));
    }
    sqlite3_backup *backup = sqlite3_backup_init(destination, "main", source.handle(), "main");
    const int rc = backup ? sqlite3_backup_step(backup, -1) : SQLITE_ERROR;
    sqlite3_backup_finish(backup);
    // The copy leaves WAL mode, so it is one self-contained file.
    sqlite3_exec(destination, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    sqlite3_close_v2(destination);
    if (rc != SQLITE_DONE)
        source.fail(QStringLiteral("cópia online"));
}

} // namespace

bool isSqliteDatabase(const QString &path)
{
    static const char header[] = "SQLite format 3";
    try {
        const Connection connection(path);
        sqlite3_file *file = connection.file();
        char bytes[sizeof header] = {};
        return file->pMethods->xRead(file, bytes, sizeof bytes, 0) == SQLITE_OK &&
               memcmp(bytes, header, sizeof header) == 0;
    } catch (const ZipEngineError &) {
        return false;
    }
}

void snapshotDatabase(const QString &path, const QString &target)
{
    const Connection connection(path);
    connection.exec("BEGIN");
    // The first read takes the shared lock the transaction keeps until it ends.
    connection.text("SELECT count(*) FROM sqlite_master");
    if (connection.text("PRAGMA journal_mode").compare(QStringLiteral("wal"), Qt::CaseInsensitive) == 0) {
        connection.exec("COMMIT");
        onlineBackup(connection, target);
        return;
    }
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        connection.fail(QStringLiteral("criação de %1").arg(target));
    copyBytes(connection.file(), out, connection);
    connection.exec("COMMIT");
}

void settleDatabase(const QString &path)
{
    {
        const Connection connection(path);
        connection.text("SELECT count(*) FROM sqlite_master");
    }
    // A journal emptied rather than deleted (another journal mode) holds nothing to roll back.
    for (const char *suffix : {"-journal", "-wal"}) {
        const QFileInfo companion(path + QLatin1String(suffix));
        if (companion.exists() && companion.size() > 0)
            throw ZipEngineError(QStringLiteral("%1 está em uso (%2)")
                                     .arg(QDir::toNativeSeparators(path), companion.fileName())
                                     .toStdString());
    }
}

bool isDatabaseCompanion(const QString &path, const QString &databasePath)
{
    for (const char *suffix : {"-journal", "-wal", "-shm"})
        if (path == databasePath + QLatin1String(suffix))
            return true;
    const QFileInfo database(databasePath);
    return database.fileName() == QLatin1String(data::kStoreFileName) &&
           path == database.dir().filePath(database.completeBaseName() + QStringLiteral(".lck"));
}

} // namespace backup
