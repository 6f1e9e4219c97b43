#include "StoreFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

using namespace data;

// Several workstations on one directory, played by a second run of this test program that
// performs one task named in LUMESCO_STORE_CHILD ("task|directory") and answers by exit code.
namespace {

const char kChildVariable[] = "LUMESCO_STORE_CHILD";

int runChildTask(const QString &task, const QString &dir)
{
    try {
        const Database db = Database::open(dir);
        if (task == u"count")
            return db.scalar(QStringLiteral("select count(*) from alunos")).toInt();
        Table t(db, QStringLiteral("Alunos.DB"));
        if (task == u"exclusive")
            t.setExclusive(true);
        if (task == u"exclusive" || task == u"open") {
            t.open();
            return 10; // got it
        }
        if (task == u"hold") {
            t.open();
            QFile(QDir(dir).filePath(QStringLiteral("ready"))).open(QIODevice::WriteOnly);
            QElapsedTimer waited;
            waited.start();
            while (!QFileInfo::exists(QDir(dir).filePath(QStringLiteral("done"))) && waited.elapsed() < 20000)
                QThread::msleep(20);
            return 10;
        }
    } catch (const StoreError &e) {
        return e.message().contains(QStringLiteral("outro usuário")) ? 20 : 30;
    }
    return 40;
}

QString selfPath()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

pid_t startChild(const QString &task, const QString &dir)
{
    const QByteArray exe = QFile::encodeName(selfPath());
    const QByteArray value = (task + u'|' + dir).toUtf8();
    const pid_t pid = fork();
    if (pid == 0) {
        setenv(kChildVariable, value.constData(), 1);
        freopen("/dev/null", "w", stdout); // the second run's own test report is noise here
        execl(exe.constData(), exe.constData(), "--gtest_filter=StoreChild.Run", static_cast<char *>(nullptr));
        _exit(99);
    }
    return pid;
}

int waitChild(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int child(const QString &task, const QString &dir)
{
    return waitChild(startChild(task, dir));
}

class Sharing : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        addAluno(1, QStringLiteral("ANA"), QStringLiteral("1G1A"));
    }
};

} // namespace

TEST(StoreChild, Run)
{
    const QByteArray spec = qgetenv(kChildVariable);
    if (spec.isEmpty())
        GTEST_SKIP() << "runs only as the second workstation of the sharing tests";
    const QString text = QString::fromUtf8(spec);
    _exit(runChildTask(text.section(u'|', 0, 0), text.section(u'|', 1)));
}

TEST_F(Sharing, EveryPostIsOnDiskForAnotherWorkstationAtOnce)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    t.append();
    t.setValue("MATRICULA", 2);
    t.setText("NOME", QStringLiteral("BIA"));
    t.setText("TURMA", QStringLiteral("1G1A"));
    t.post();
    EXPECT_EQ(child(QStringLiteral("count"), m_dir.path()), 2); // the table is still open here
    t.remove();
    EXPECT_EQ(child(QStringLiteral("count"), m_dir.path()), 1);
}

TEST_F(Sharing, ExclusiveUseWaitsForEveryOtherUserOfTheTable)
{
    {
        Table open(m_db, QStringLiteral("Alunos.DB"));
        open.open();
        EXPECT_TRUE(m_db.isTableOpen(QStringLiteral("Alunos.DB")));
        EXPECT_EQ(m_db.openTables(), QStringList({"ALUNOS"}));
        EXPECT_EQ(child(QStringLiteral("exclusive"), m_dir.path()), 20); // refused: open here
        EXPECT_EQ(child(QStringLiteral("open"), m_dir.path()), 10);      // sharing is fine

        Table mine(m_db, QStringLiteral("Alunos.DB"));
        mine.setExclusive(true);
        EXPECT_THROW(mine.open(), StoreError); // open in another window of this program
    }
    EXPECT_FALSE(m_db.isTableOpen(QStringLiteral("Alunos.DB")));
    Table mine(m_db, QStringLiteral("Alunos.DB"));
    mine.setExclusive(true);
    mine.open();
    EXPECT_EQ(child(QStringLiteral("open"), m_dir.path()), 20);
    Table second(m_db, QStringLiteral("Alunos.DB"));
    EXPECT_THROW(second.open(), StoreError);
    mine.close();
    EXPECT_EQ(child(QStringLiteral("exclusive"), m_dir.path()), 10);
}

TEST_F(Sharing, ATableOpenOnAnotherWorkstationIsSeenAndReleasedWhenItEnds)
{
    EXPECT_FALSE(m_db.isTableOpenElsewhere(QStringLiteral("Alunos.DB")));
    const pid_t pid = startChild(QStringLiteral("hold"), m_dir.path());
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(m_dir.file(QStringLiteral("ready"))) && waited.elapsed() < 20000)
        QThread::msleep(20);
    EXPECT_TRUE(m_db.isTableOpenElsewhere(QStringLiteral("Alunos.DB")));
    EXPECT_FALSE(m_db.isTableOpenElsewhere(QStringLiteral("Notas.DB")));
    QFile(m_dir.file(QStringLiteral("done"))).open(QIODevice::WriteOnly);
    EXPECT_EQ(waitChild(pid), 10);
    EXPECT_FALSE(m_db.isTableOpenElsewhere(QStringLiteral("Alunos.DB")));
}
