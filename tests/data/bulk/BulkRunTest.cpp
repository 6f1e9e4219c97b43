#include "data/bulk/BulkRun.h"
#include "data/store/Table.h"
#include "support/RecordingReporter.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <gtest/gtest.h>

using namespace data;
using core::RunOutcome;

namespace {

class BulkRunTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_db = Database::open(testengine::yearLocation(m_dir.path()));
        TableDef t;
        t.name = QStringLiteral("NUMEROS");
        t.fields = {{QStringLiteral("N"), FieldType::Long, 0, true},
                    {QStringLiteral("NOME"), FieldType::Text, 20}};
        t.primaryKey = {QStringLiteral("N")};
        m_db.createTable(t);
    }
    void TearDown() override
    {
        BulkRun::setRefreshHold({});
        m_db = Database();
        Database::closeAll();
        testengine::dropServerYears();
    }

    void insert(int n) const
    {
        m_db.exec(QStringLiteral("insert into NUMEROS (N) values (:n)"), {{QStringLiteral("n"), n}});
    }
    int count() const { return m_db.scalar(QStringLiteral("select count(*) from NUMEROS")).toInt(); }

    // Inserts 1..total, one step a row, each row on its own when `perRow`.
    RunOutcome numbers(RecordingReporter &reporter, int total, BulkRunOptions options = {},
                       bool perRow = false)
    {
        BulkRun run(m_db, reporter, std::move(options));
        return run.run([&](BulkRun &r) {
            r.begin(QStringLiteral("Numerando"), total);
            for (int n = 1; n <= total; ++n) {
                if (perRow)
                    r.row([&] { insert(n); });
                else
                    insert(n);
                r.step(n, QStringLiteral("Lendo: %1 de %2").arg(n).arg(total));
            }
        });
    }

    TempDir m_dir;
    Database m_db;
};

} // namespace

TEST_F(BulkRunTest, ACompletedRunKeepsEveryRowAndReportsItsProgress)
{
    RecordingReporter reporter;
    EXPECT_EQ(numbers(reporter, 3), RunOutcome::Completed);
    EXPECT_EQ(count(), 3);
    ASSERT_EQ(reporter.stages().size(), 1);
    EXPECT_EQ(reporter.stages().first().title, QStringLiteral("Numerando"));
    EXPECT_EQ(reporter.stages().first().total, 3);
    EXPECT_FALSE(reporter.stages().first().offersCancel);
    EXPECT_EQ(reporter.steps(), (QList<int>{1, 2, 3}));
    EXPECT_EQ(reporter.stepTexts().last(), QStringLiteral("Lendo: 3 de 3"));
    EXPECT_TRUE(reporter.notes().isEmpty());
    EXPECT_EQ(reporter.outcome(), RunOutcome::Completed);
    EXPECT_FALSE(m_db.inTransaction());
}

TEST_F(BulkRunTest, AStoreErrorUndoesTheWholeRunAndBecomesAnErrorNote)
{
    insert(2); // the run's second row collides with it
    RecordingReporter reporter;
    EXPECT_EQ(numbers(reporter, 3), RunOutcome::Failed);
    EXPECT_EQ(count(), 1) << "the first row of the run is undone too";
    ASSERT_EQ(reporter.notes().size(), 1);
    EXPECT_EQ(reporter.notes().first().severity, core::Severity::Error);
    EXPECT_FALSE(reporter.notes().first().text.isEmpty());
    EXPECT_EQ(reporter.outcome(), RunOutcome::Failed);
    EXPECT_EQ(reporter.finishCount(), 1);
    EXPECT_FALSE(m_db.inTransaction());
}

TEST_F(BulkRunTest, RowsThatFailAloneAreSkippedWhileTheRunGoesOn)
{
    insert(2);
    insert(4);
    RecordingReporter reporter;
    EXPECT_EQ(numbers(reporter, 5, {}, true), RunOutcome::Completed);
    EXPECT_EQ(count(), 5);
    EXPECT_EQ(reporter.notes().size(), 2);
    EXPECT_EQ(reporter.steps().size(), 5);

    // A run with its own message for a failed row, and a row that writes twice: the half
    // written before the failure goes too.
    RecordingReporter own;
    BulkRun run(m_db, own);
    EXPECT_EQ(run.run([&](BulkRun &r) {
        EXPECT_TRUE(r.row([&] { insert(10); }));
        const bool written = r.row(
            [&] {
                insert(11);
                insert(1);
            },
            [&](const StoreError &) { r.note(core::Severity::Error, QStringLiteral("Erro ao gravar o número 11"), QStringLiteral("Erro ao gravar")); });
        EXPECT_FALSE(written);
    }),
              RunOutcome::Completed);
    EXPECT_EQ(run.failedRows(), 1);
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from NUMEROS where N in (10, 11)")).toInt(), 1);
    ASSERT_EQ(own.notes().size(), 1);
    EXPECT_EQ(own.notes().first().text, QStringLiteral("Erro ao gravar o número 11"));
    EXPECT_EQ(own.notes().first().caption, QStringLiteral("Erro ao gravar"));
}

TEST_F(BulkRunTest, ARowOfOneWriteFailsAloneWithoutASavepoint)
{
    insert(2);
    RecordingReporter reporter;
    BulkRun run(m_db, reporter);
    QStringList failures;
    EXPECT_EQ(run.run([&](BulkRun &r) {
        for (int n = 1; n <= 3; ++n)
            r.singleWriteRow([&] { insert(n); }, [&](const StoreError &) { failures << QString::number(n); });
    }),
              RunOutcome::Completed);
    EXPECT_EQ(count(), 3) << "the rows around the failed one are kept";
    EXPECT_EQ(failures, QStringList{QStringLiteral("2")});
    EXPECT_EQ(run.failedRows(), 1);

    // A failure that has ended the transaction stops the run: no row is written outside it.
    RecordingReporter stopped;
    BulkRun broken(m_db, stopped);
    EXPECT_EQ(broken.run([&](BulkRun &r) {
        r.singleWriteRow([&] { insert(20); }, [](const StoreError &) {});
        r.singleWriteRow(
            [&] {
                m_db.exec(QStringLiteral("rollback"));
                insert(2);
            },
            [](const StoreError &) { ADD_FAILURE() << "the failure is the run's, not the row's"; });
        insert(21);
    }),
              RunOutcome::Failed);
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from NUMEROS where N >= 20")).toInt(), 0);
}

TEST_F(BulkRunTest, CancelStopsAtTheNextStepAndUndoesUnlessTheRunKeepsItsRows)
{
    RecordingReporter undone;
    undone.cancelAtStep(3);
    EXPECT_EQ(numbers(undone, 10, {.offersCancel = true}), RunOutcome::Cancelled);
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(undone.steps().size(), 3);
    EXPECT_TRUE(undone.stages().first().offersCancel);
    EXPECT_EQ(undone.outcome(), RunOutcome::Cancelled);
    EXPECT_TRUE(undone.notes().isEmpty());

    RecordingReporter kept;
    kept.cancelAtStep(3);
    EXPECT_EQ(numbers(kept, 10, {.offersCancel = true, .keepDone = true}), RunOutcome::Cancelled);
    EXPECT_EQ(count(), 3);

    // A run that offers no cancel runs to the end whatever the reporter says.
    m_db.exec(QStringLiteral("delete from NUMEROS"));
    RecordingReporter ignored;
    ignored.cancelAtStep(1);
    EXPECT_EQ(numbers(ignored, 4), RunOutcome::Completed);
    EXPECT_EQ(count(), 4);
}

TEST_F(BulkRunTest, AFailedRunThatKeepsItsRowsKeepsThoseBeforeTheError)
{
    insert(3);
    RecordingReporter reporter;
    EXPECT_EQ(numbers(reporter, 5, {.keepDone = true}), RunOutcome::Failed);
    EXPECT_EQ(m_db.scalar(QStringLiteral("select group_concat(N) from (select N from NUMEROS order by N)")).toString(),
              QStringLiteral("1,2,3"));
    EXPECT_EQ(reporter.notes().size(), 1);
}

TEST_F(BulkRunTest, InsideAnOpenTransactionTheRunIsASavepoint)
{
    Transaction outer(m_db);
    insert(100);
    RecordingReporter failed;
    insert(2);
    EXPECT_EQ(numbers(failed, 3), RunOutcome::Failed);
    EXPECT_TRUE(m_db.inTransaction()) << "the caller's transaction stays open";
    EXPECT_EQ(count(), 2) << "only the run's own rows are undone";

    m_db.exec(QStringLiteral("delete from NUMEROS where N = 2"));
    RecordingReporter done;
    EXPECT_EQ(numbers(done, 3), RunOutcome::Completed);
    EXPECT_EQ(count(), 4);
    outer.rollback();
    EXPECT_EQ(count(), 0) << "the caller still decides";
}

TEST_F(BulkRunTest, TheRefreshIsHeldAndGridsDetachedWhileItRuns)
{
    QStringList holds;
    BulkRun::setRefreshHold([&](bool hold) { holds += hold ? QStringLiteral("hold") : QStringLiteral("release"); });
    insert(1);
    Table table(m_db, QStringLiteral("NUMEROS"));
    table.open();
    ASSERT_EQ(table.recordCount(), 1);

    RecordingReporter reporter;
    BulkRun run(m_db, reporter, {.datasets = {&table}});
    bool detachedInside = false;
    QStringList holdsInside;
    const RunOutcome outcome = run.run([&](BulkRun &) {
        detachedInside = table.controlsDisabled();
        holdsInside = holds;
        table.append();
        table.setValue("N", 7);
        table.post();
        throw StoreError(QStringLiteral("falhou"));
    });
    EXPECT_EQ(outcome, RunOutcome::Failed);
    EXPECT_TRUE(detachedInside);
    EXPECT_EQ(holdsInside, QStringList{QStringLiteral("hold")});
    EXPECT_EQ(holds, (QStringList{QStringLiteral("hold"), QStringLiteral("release")}));
    EXPECT_FALSE(table.controlsDisabled());
    EXPECT_EQ(table.recordCount(), 1) << "the dataset is read again after the undo";
    EXPECT_EQ(reporter.noteTexts(), QStringList{QStringLiteral("falhou")});

    // Any other exception passes through with everything undone and given back.
    RecordingReporter other;
    BulkRun second(m_db, other, {.datasets = {&table}});
    EXPECT_THROW(second.run([&](BulkRun &) {
        insert(8);
        throw std::logic_error("bug");
    }),
                 std::logic_error);
    EXPECT_EQ(count(), 1);
    EXPECT_FALSE(m_db.inTransaction());
    EXPECT_FALSE(table.controlsDisabled());
    EXPECT_EQ(holds.size(), 4);
    EXPECT_EQ(holds.last(), QStringLiteral("release"));
    EXPECT_EQ(other.outcome(), RunOutcome::Failed);
}
