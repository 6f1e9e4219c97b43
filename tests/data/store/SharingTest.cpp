#include "StoreFixture.h"

#include "data/store/Transaction.h"
#include "support/ChildProcess.h"
#include "support/TableHolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <csignal>
#include <unistd.h>

using namespace data;

// Several workstations on one school year, played by a second run of this test program that
// performs one task (task, school year, folder for signals) and answers by exit code.
namespace {

int runChildTask(const QString &task, const QString &location, const QString &dir)
{
    try {
        const Database db = Database::open(location);
        if (task == u"count")
            return db.scalar(QStringLiteral("select count(*) from alunos")).toInt();
        Table t(db, QStringLiteral("Alunos.DB"));
        if (task == u"exclusive")
            t.setExclusive(true);
        if (task == u"bulk") {
            // A long run that is killed before it ends.
            Transaction run(db);
            for (int i = 0; i < 200000; ++i) {
                db.exec(QStringLiteral("insert into notas (matricula, disc, turma) values (:m, '01', '1G1A')"), {{QStringLiteral("m"), i}});
                if (i == 500)
                    QFile(QDir(dir).filePath(QStringLiteral("ready"))).open(QIODevice::WriteOnly);
            }
            run.commit();
            return 10;
        }
        if (task.startsWith(u"posts")) {
            // Saves of one desk, each on its own, while another desk does the same.
            const int base = task.mid(5).toInt() * 100000;
            t.open();
            for (int i = 1; i <= 5000; ++i) {
                t.append();
                t.setValue("MATRICULA", base + i);
                t.setText("NOME", QStringLiteral("ALUNO %1").arg(base + i));
                t.setText("TURMA", QStringLiteral("1G1A"));
                t.post();
            }
            return 10;
        }
        if (task == u"edit") {
            t.open();
            t.edit();
            t.setValue("ABAT", 5);
            t.post();
            return 10;
        }
        if (task == u"exclusive" || task == u"open") {
            t.open();
            return 10; // got it
        }
        if (task == u"hold")
            return holdTableUntilDone(location, QStringLiteral("Alunos.DB"), dir);
    } catch (const StoreError &e) {
        return e.message().contains(QStringLiteral("outro usuário")) ? 20 : 30;
    }
    return 40;
}

class Sharing : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        addAluno(1, QStringLiteral("ANA"), QStringLiteral("1G1A"));
    }

    int child(const QString &task) { return waitChild(startChild(task)); }
    pid_t startChild(const QString &task)
    {
        return childprocess::start("StoreChild.Run", {task, m_db.directory(), m_dir.path()});
    }
    static int waitChild(pid_t pid) { return childprocess::wait(pid); }
};

} // namespace

TEST(StoreChild, Run)
{
    const QStringList task = childprocess::task();
    if (task.size() != 3)
        GTEST_SKIP() << "runs only as the second workstation of the sharing tests";
    _exit(runChildTask(task[0], task[1], task[2]));
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
    EXPECT_EQ(child(QStringLiteral("count")), 2); // the table is still open here
    t.remove();
    EXPECT_EQ(child(QStringLiteral("count")), 1);
}

TEST_F(Sharing, ExclusiveUseWaitsForEveryOtherUserOfTheTable)
{
    {
        Table open(m_db, QStringLiteral("Alunos.DB"));
        open.open();
        EXPECT_TRUE(m_db.isTableOpen(QStringLiteral("Alunos.DB")));
        EXPECT_EQ(m_db.openTables(), QStringList({"ALUNOS"}));
        EXPECT_EQ(child(QStringLiteral("exclusive")), 20); // refused: open here
        EXPECT_EQ(child(QStringLiteral("open")), 10);      // sharing is fine

        Table mine(m_db, QStringLiteral("Alunos.DB"));
        mine.setExclusive(true);
        EXPECT_THROW(mine.open(), StoreError); // open in another window of this program
    }
    EXPECT_FALSE(m_db.isTableOpen(QStringLiteral("Alunos.DB")));
    Table mine(m_db, QStringLiteral("Alunos.DB"));
    mine.setExclusive(true);
    mine.open();
    EXPECT_EQ(child(QStringLiteral("open")), 20);
    Table second(m_db, QStringLiteral("Alunos.DB"));
    EXPECT_THROW(second.open(), StoreError);
    mine.close();
    EXPECT_EQ(child(QStringLiteral("exclusive")), 10);
}

TEST_F(Sharing, ATableOpenOnAnotherWorkstationIsSeenAndReleasedWhenItEnds)
{
    EXPECT_FALSE(m_db.isTableOpenElsewhere(QStringLiteral("Alunos.DB")));
    const pid_t pid = startChild(QStringLiteral("hold"));
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

TEST_F(Sharing, ASecondSaveOfARowAnotherWorkstationChangedIsRefusedOnAServer)
{
    if (!m_db.isServerYear())
        GTEST_SKIP() << "on a shared file the last save wins, as it always has";
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    t.edit();
    t.setValue("ABAT", 7);
    EXPECT_EQ(child(QStringLiteral("edit")), 10); // the other desk saves first
    try {
        t.post();
        ADD_FAILURE() << "the second save overwrote the first";
    } catch (const StoreError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("alterado ou excluído por outro usuário")));
    }
    t.cancel();
    t.refresh();
    EXPECT_EQ(t.value("ABAT").toDouble(), 5.0);
    // Fields the other desk did not touch are still saved.
    t.edit();
    t.setText("SIT", QStringLiteral("B"));
    t.post();
    EXPECT_EQ(m_db.scalar(QStringLiteral("select sit from alunos where matricula = 1")).toString(), QStringLiteral("B"));
}

TEST_F(Sharing, AProcessKilledInTheMiddleOfABulkRunLeavesTheYearAsBefore)
{
    const pid_t pid = startChild(QStringLiteral("bulk"));
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(m_dir.file(QStringLiteral("ready"))) && waited.elapsed() < 20000)
        QThread::msleep(10);
    ASSERT_TRUE(QFileInfo::exists(m_dir.file(QStringLiteral("ready"))));
    kill(pid, SIGKILL);
    EXPECT_EQ(waitChild(pid), -1);
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from notas")).toInt(), 0);
    // Nothing of the dead run holds the year: the next run writes at once.
    Transaction next(m_db);
    m_db.exec(QStringLiteral("insert into notas (matricula, disc, turma) values (1, '01', '1G1A')"));
    next.commit();
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from notas")).toInt(), 1);
}

TEST_F(Sharing, TwoDesksSavingAtOnceLoseAndRepeatNothingOnAServer)
{
    if (!m_db.isServerYear())
        GTEST_SKIP() << "a shared file takes one writer at a time; this is the server's case";
    const pid_t first = startChild(QStringLiteral("posts1"));
    const pid_t second = startChild(QStringLiteral("posts2"));
    EXPECT_EQ(waitChild(first), 10);
    EXPECT_EQ(waitChild(second), 10);
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from alunos")).toInt(), 10001);
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(distinct matricula) from alunos")).toInt(), 10001);
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from alunos where nome = 'ALUNO ' || cast(cast(matricula as integer) as text)")).toInt(), 10000);
}
