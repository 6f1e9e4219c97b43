#include "backup/zip/DatabaseSnapshot.h"
#include "backup/zip/ZipFixture.h"

#include "support/QStringPrinting.h"

#include <QFile>
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace backup;

namespace {

// A plain SQLite connection, as another workstation's program would hold.
class Sqlite
{
public:
    explicit Sqlite(const QString &path)
    {
        sqlite3_open(QFile::encodeName(path).constData(), &m_db);
        sqlite3_busy_timeout(m_db, 10000);
    }
    ~Sqlite() { sqlite3_close(m_db); }
    int exec(const char *sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }
    QString text(const char *sql)
    {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr);
        QString result;
        if (statement && sqlite3_step(statement) == SQLITE_ROW)
            result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        return result;
    }

private:
    sqlite3 *m_db = nullptr;
};

class SnapshotTest : public ::testing::Test, public ZipFixture
{
};

TEST_F(SnapshotTest, AnIdleDatabaseIsCopiedByteForByteAndRecognisedByItsHeader)
{
    {
        Sqlite db(path("Data/Lumesco.db"));
        db.exec("create table alunos(matricula integer, nome text)");
        db.exec("insert into alunos values (1, 'ANA'), (2, 'BRUNO')");
    }
    write("Data/notas.txt", "SQLite format 2 não é um banco");
    EXPECT_TRUE(isSqliteDatabase(path("Data/Lumesco.db")));
    EXPECT_FALSE(isSqliteDatabase(path("Data/notas.txt")));
    ASSERT_EQ(add({"Lumesco.db"}), 1);
    ASSERT_EQ(extract(path("restaurado")), 1);
    EXPECT_EQ(read("restaurado/Lumesco.db"), read("Data/Lumesco.db"));
}

TEST_F(SnapshotTest, AWalDatabaseGoesInWithItsCommittedRowsAndWithoutItsJournalsAndLocks)
{
    Sqlite db(path("Data/Lumesco.db"));
    db.exec("pragma journal_mode=wal");
    db.exec("pragma wal_autocheckpoint=0");
    db.exec("create table caixa(valor integer)");
    db.exec("insert into caixa values (10), (20), (30)");
    ASSERT_TRUE(QFileInfo::exists(path("Data/Lumesco.db-wal")));
    write("Data/Lumesco.lck", QByteArray());
    write("Data/Outro.lck", "de outro programa");
    ASSERT_EQ(add({"Lumesco.db", "Lumesco.db-wal", "Lumesco.db-shm", "Lumesco.lck", "Outro.lck"}), 2);
    EXPECT_EQ(messages.filter(QStringLiteral("omitido")).size(), 3);
    ASSERT_EQ(extract(path("restaurado")), 2);
    Sqlite restored(path("restaurado/Lumesco.db"));
    EXPECT_EQ(restored.text("select sum(valor) from caixa"), QStringLiteral("60"));
    EXPECT_EQ(restored.text("pragma journal_mode"), QStringLiteral("delete"));
}

// Another process rewrites every row of a table in each transaction while backups are taken:
// a copy caught in the middle of a commit would mix two versions of the rows.
TEST_F(SnapshotTest, ABackupTakenWhileAnotherProcessWritesRestoresToASoundDatabase)
{
    {
        Sqlite db(path("Data/Lumesco.db"));
        db.exec("create table notas(matricula integer, versao integer, texto text)");
        db.exec("with recursive n(i) as (select 1 union all select i + 1 from n where i < 8000) "
                "insert into notas select i, 0, hex(randomblob(100)) from n");
    }
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        Sqlite db(path("Data/Lumesco.db"));
        for (;;)
            db.exec("update notas set versao = versao + 1, texto = hex(randomblob(100))");
    }
    usleep(100'000);
    for (int round = 0; round < 4; ++round) {
        zip.startNewArchive(archive());
        ASSERT_EQ(add({"Lumesco.db"}), 1);
        const QString folder = QStringLiteral("restaurado%1").arg(round);
        ASSERT_EQ(extract(path(folder)), 1);
        Sqlite restored(path(folder + QStringLiteral("/Lumesco.db")));
        EXPECT_EQ(restored.text("pragma integrity_check"), QStringLiteral("ok"));
        EXPECT_EQ(restored.text("select count(distinct versao) || ' ' || count(*) from notas"),
                  QStringLiteral("1 8000"));
    }
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
}

// A restore never lays the archived file beside another file's journal: a database another
// workstation is writing is left alone (nothing restored), and a journal orphaned by a deleted
// database goes before the restored one arrives.
TEST_F(SnapshotTest, ARestoreLeavesNoOldJournalBesideTheRestoredDatabase)
{
    {
        Sqlite db(path("Data/Lumesco.db"));
        db.exec("create table caixa(valor integer)");
        db.exec("insert into caixa values (10), (20)");
    }
    ASSERT_EQ(add({"Lumesco.db"}), 1);
    QDir().mkpath(path("destino"));
    {
        Sqlite old(path("destino/Lumesco.db"));
        old.exec("create table caixa(valor integer)");
        old.exec("insert into caixa values (5)");
    }
    const QByteArray before = read("destino/Lumesco.db");
    {
        Sqlite writing(path("destino/Lumesco.db"));
        ASSERT_EQ(writing.exec("begin; insert into caixa values (6)"), SQLITE_OK);
        ASSERT_TRUE(QFileInfo::exists(path("destino/Lumesco.db-journal")));
        EXPECT_EQ(extract(path("destino")), 0);
        EXPECT_EQ(messages.filter(QStringLiteral("em uso")).size(), 1) << messages.join(u'\n').toStdString();
        EXPECT_EQ(messages.filter(QStringLiteral("Nenhum arquivo foi recuperado")).size(), 1);
        EXPECT_EQ(read("destino/Lumesco.db"), before);
        writing.exec("rollback");
    }

    // The database deleted, its journal left behind.
    ASSERT_TRUE(QFile::remove(path("destino/Lumesco.db")));
    write("destino/Lumesco.db-journal", QByteArray(4096, '\x01'));
    messages.clear();
    ASSERT_EQ(extract(path("destino")), 1) << messages.join(u'\n').toStdString();
    EXPECT_FALSE(QFileInfo::exists(path("destino/Lumesco.db-journal")));
    Sqlite restored(path("destino/Lumesco.db"));
    EXPECT_EQ(restored.text("pragma integrity_check"), QStringLiteral("ok"));
    EXPECT_EQ(restored.text("select sum(valor) from caixa"), QStringLiteral("30"));
}

} // namespace
