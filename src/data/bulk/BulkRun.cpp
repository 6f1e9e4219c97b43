#include "data/bulk/BulkRun.h"

#include "core/Diagnostics.h"
#include "data/store/Dataset.h"

#include <csignal>
#include <cstdlib>
#include <optional>

namespace data {

namespace {

std::function<void(bool)> &refreshHold()
{
    static std::function<void(bool)> hold;
    return hold;
}

// Thrown by step() when the person cancels; not a std::exception, so a body's own handlers
// for errors let it through.
struct Cancelled
{
};

class RefreshHeld
{
public:
    RefreshHeld() : m_hold(refreshHold())
    {
        if (m_hold)
            m_hold(true);
    }
    ~RefreshHeld()
    {
        if (m_hold)
            m_hold(false);
    }
    RefreshHeld(const RefreshHeld &) = delete;
    RefreshHeld &operator=(const RefreshHeld &) = delete;

private:
    std::function<void(bool)> m_hold;
};

class ControlsDetached
{
public:
    explicit ControlsDetached(const QList<Dataset *> &datasets) : m_datasets(datasets)
    {
        for (Dataset *d : m_datasets)
            d->disableControls();
    }
    ~ControlsDetached()
    {
        for (Dataset *d : m_datasets)
            d->enableControls();
    }
    ControlsDetached(const ControlsDetached &) = delete;
    ControlsDetached &operator=(const ControlsDetached &) = delete;

private:
    QList<Dataset *> m_datasets;
};

// The run's transaction, or a savepoint when the caller already has one open.
class RunScope
{
public:
    explicit RunScope(const Database &db)
    {
        if (db.inTransaction())
            m_savepoint.emplace(db);
        else
            m_transaction.emplace(db);
    }
    void keep()
    {
        if (m_savepoint)
            m_savepoint->release();
        else
            m_transaction->commit();
    }
    void undo()
    {
        if (m_savepoint)
            m_savepoint->rollback();
        else
            m_transaction->rollback();
    }

private:
    std::optional<Transaction> m_transaction;
    std::optional<Savepoint> m_savepoint;
};

// After an undo the datasets may hold rows the store no longer has.
void rereadAfterUndo(const QList<Dataset *> &datasets)
{
    for (Dataset *d : datasets) {
        if (!d->isOpen())
            continue;
        try {
            if (d->isEditing())
                d->cancel();
            d->refresh();
        } catch (const StoreError &e) {
            qCWarning(core::lcRuns) << "re-reading" << d->displayName() << "after an undone run:"
                                    << e.message();
        }
    }
}

} // namespace

BulkRun::BulkRun(const Database &db, core::RunReporter &reporter, BulkRunOptions options)
    : m_db(db), m_reporter(reporter), m_options(std::move(options))
{
}

void BulkRun::setRefreshHold(std::function<void(bool hold)> hold)
{
    refreshHold() = std::move(hold);
}

core::RunOutcome BulkRun::run(const Body &body)
{
    m_failedRows = 0;
    const RefreshHeld held;
    core::RunOutcome outcome = core::RunOutcome::Completed;
    QString error;
    {
        const ControlsDetached detached(m_options.datasets);
        bool undone = false;
        try {
            RunScope scope(m_db);
            try {
                body(*this);
            } catch (const Cancelled &) {
                outcome = core::RunOutcome::Cancelled;
            } catch (const StoreError &e) {
                outcome = core::RunOutcome::Failed;
                error = e.message();
            }
            if (outcome == core::RunOutcome::Completed || m_options.keepDone) {
                scope.keep();
            } else {
                scope.undo();
                undone = true;
            }
        } catch (const StoreError &e) {
            // The transaction could not begin or end: nothing of the run stays.
            outcome = core::RunOutcome::Failed;
            if (error.isEmpty())
                error = e.message();
            undone = true;
        } catch (...) {
            rereadAfterUndo(m_options.datasets);
            m_reporter.finish(core::RunOutcome::Failed);
            throw;
        }
        if (undone)
            rereadAfterUndo(m_options.datasets);
    }
    // Shown only now, so no box waits with the file locked.
    if (!error.isEmpty()) {
        qCWarning(core::lcRuns) << "a run stopped:" << error;
        m_reporter.note(core::Severity::Error, error, QString());
    }
    m_reporter.finish(outcome);
    return outcome;
}

void BulkRun::begin(const QString &title, int total)
{
    m_reporter.begin(title, total, m_options.offersCancel);
}

// Crash tests stop the process dead at a chosen step of its bulk runs, to show that a killed
// run leaves the school year as it was before it.
void BulkRun::crashPoint()
{
    static const int crashAt = qEnvironmentVariableIntValue("LUMESCO_CRASH_AT_STEP");
    static int steps = 0;
    if (crashAt <= 0 || ++steps != crashAt)
        return;
#ifdef Q_OS_UNIX
    ::raise(SIGKILL);
#endif
    std::_Exit(137);
}

void BulkRun::step(int done, const QString &text)
{
    crashPoint();
    m_reporter.step(done, text);
    if (cancelled())
        throw Cancelled{};
}

void BulkRun::note(core::Severity severity, const QString &text, const QString &caption)
{
    m_reporter.note(severity, text, caption);
}

bool BulkRun::cancelled() const
{
    return m_options.offersCancel && m_reporter.cancelled();
}

} // namespace data
