#pragma once

#include "core/RunReporter.h"
#include "core/Throttle.h"

#include <QTextStream>
#include <optional>

// The command line's face of a long run: each message of the run is one line of standard output
// (its text, line breaks made blanks), so scripts read them; the progress line is drawn on
// standard error, and only when that is a terminal. The verb's exit status comes from how the
// run ended.
namespace cli {

struct Context;

class ConsoleReporter : public core::RunReporter
{
public:
    static constexpr int kRefreshMs = 100;

    // Exit statuses of a run.
    static constexpr int kCompleted = 0;
    static constexpr int kStopped = 1;     // stopped by an error, or cancelled
    static constexpr int kRowsSkipped = 3; // to the end, but with rows that failed

    // Progress on the context's error stream when standard error is a terminal.
    explicit ConsoleReporter(Context &context);
    ConsoleReporter(QTextStream &out, QTextStream &err, bool showProgress);
    ~ConsoleReporter() override;

    void begin(const QString &title, int total, bool offersCancel) override;
    void step(int done, const QString &text) override;
    void note(core::Severity severity, const QString &text, const QString &caption) override;
    bool cancelled() const override { return false; }
    void finish(core::RunOutcome outcome) override;

    std::optional<core::RunOutcome> outcome() const { return m_outcome; }
    // kCompleted, kStopped or kRowsSkipped (an Error note in a run that went to the end, or
    // without a run at all).
    int exitStatus() const;

private:
    void drawProgress();
    void clearProgress();

    QTextStream &m_out;
    QTextStream &m_err;
    bool m_showProgress;
    core::Throttle m_draw{kRefreshMs};
    QString m_title;
    int m_total = 0;
    int m_done = 0;
    QString m_text;
    int m_drawnWidth = 0;
    int m_errors = 0;
    std::optional<core::RunOutcome> m_outcome;
};

// True when standard error is a terminal (not a file or a pipe).
bool standardErrorIsTerminal();

} // namespace cli
