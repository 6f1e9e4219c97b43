#pragma once

#include "core/RunReporter.h"
#include "data/store/Database.h"
#include "data/store/StoreError.h"
#include "data/store/Transaction.h"

#include <QList>
#include <QString>
#include <functional>

// Every long run that writes (generation, import, recalculation, ranking, fees, numbering) goes
// through one BulkRun:
//
//   data::BulkRun run(db, reporter, {.offersCancel = true, .datasets = {&module.tblNotas()}});
//   const core::RunOutcome outcome = run.run([&](data::BulkRun &r) {
//       r.begin(QStringLiteral("Gerando notas"), n);
//       for (int i = 0; i < n; ++i) {
//           r.row([&] { ... }); // a row that fails alone: undone, noted, the run goes on
//           r.step(i + 1, QStringLiteral("Lendo: %1 de %2").arg(i + 1).arg(n));
//       }
//   });
//
// The body runs in one transaction (a savepoint inside a transaction already open), so it is
// fast and a crash or a failure leaves no half-run. Meanwhile the academic data module's
// network refresh is held and the grids of the given datasets are detached. A StoreError that
// escapes the body stops the run: everything is undone and the store's text becomes an Error
// note. A cancel (asked through the reporter, seen at the next step) undoes everything too,
// unless the run keeps what it did so far.
namespace data {

class Dataset;

struct BulkRunOptions
{
    // The reporter offers "Cancelar"; step() then stops the run once the person asks.
    bool offersCancel = false;
    // A cancelled or failed run keeps the rows done before it stopped (numbers already given
    // stay given); the default undoes the whole run.
    bool keepDone = false;
    // The datasets the run writes through: their grids are detached while it runs, and they
    // are read again when the run is undone.
    QList<Dataset *> datasets;
};

class BulkRun
{
public:
    using Body = std::function<void(BulkRun &run)>;

    BulkRun(const Database &db, core::RunReporter &reporter, BulkRunOptions options = {});

    // Runs `body` as described above and tells the reporter how it ended. Exceptions other
    // than StoreError pass through, with everything undone and restored.
    core::RunOutcome run(const Body &body);

    // Inside the body.
    void begin(const QString &title, int total);
    // Reports progress; stops the run here when the person asked to cancel.
    void step(int done, const QString &text = QString());
    // Where crash tests may stop the process dead (LUMESCO_CRASH_AT_STEP=N: the N-th of these
    // points in the process); step() passes here, and so must a run that reports its steps itself.
    static void crashPoint();
    void note(core::Severity severity, const QString &text, const QString &caption = QString());
    bool cancelled() const;

    // One row that may fail alone, in its own savepoint: a StoreError undoes that row only and
    // the run goes on. The error goes to `failed` (to show the run's own message, or to log a
    // row the run skips silently), else it becomes an Error note with the store's text.
    // Returns false when the row failed.
    template<typename Work>
    bool row(Work &&work)
    {
        return row(std::forward<Work>(work), [this](const StoreError &e) {
            note(core::Severity::Error, e.message());
        });
    }
    template<typename Work, typename Failed>
    bool row(Work &&work, Failed &&failed)
    {
        Savepoint savepoint(m_db);
        try {
            work();
            savepoint.release();
            return true;
        } catch (const StoreError &e) {
            savepoint.rollback();
            ++m_failedRows;
            failed(e);
            return false;
        }
    }

    // As row(), for a row whose only write is its last statement (an append): SQLite takes
    // back a failed statement by itself, so the row needs no savepoint of its own (a year of
    // fees would open and release 24 000 of them). Should the failure have ended the whole
    // transaction (disk full, I/O), the error stops the run instead of letting the next rows
    // be written outside it.
    template<typename Work, typename Failed>
    bool singleWriteRow(Work &&work, Failed &&failed)
    {
        try {
            work();
            return true;
        } catch (const StoreError &e) {
            if (!m_db.inTransaction())
                throw;
            ++m_failedRows;
            failed(e);
            return false;
        }
    }

    // Rows that failed alone so far.
    int failedRows() const { return m_failedRows; }
    const Database &database() const { return m_db; }
    core::RunReporter &reporter() const { return m_reporter; }

    // How the program holds the academic data module's network refresh (true: hold, false:
    // release; calls nest). Set once by the program; without it runs hold nothing.
    static void setRefreshHold(std::function<void(bool hold)> hold);

private:
    Database m_db;
    core::RunReporter &m_reporter;
    BulkRunOptions m_options;
    int m_failedRows = 0;
};

} // namespace data
