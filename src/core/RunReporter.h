#pragma once

#include <QString>

// What a long run (generation, import, recalculation, ranking, fees, numbering, backup) tells
// the person waiting for it. The run calls it; three faces show it: a progress dialog in the
// program (core/forms/RunProgressDialog), the console in lumesco-cli (cli/ConsoleReporter), and
// a recording one in tests (tests/support/RecordingReporter).
namespace core {

enum class Severity
{
    Info,    // a message box with the run's text ("Processo concluído.")
    Warning, // a warning box
    Error,   // an error box; the run may go on (a skipped row) or stop
};

// How a run ended.
enum class RunOutcome
{
    Completed, // to the end (rows may have been skipped with an Error note)
    Failed,    // stopped by an error, which was noted
    Cancelled, // stopped because the person asked
};

class RunReporter
{
public:
    virtual ~RunReporter() = default;

    // A new stage: its title ("Importando alunos"), how many steps it has (0: unknown) and
    // whether the person may cancel it.
    virtual void begin(const QString &title, int total, bool offersCancel) = 0;
    // `done` steps of the stage are finished; `text` is the progress label ("Lendo: 3 de 200").
    // Called once a row, so a face keeps the cost of showing it low.
    virtual void step(int done, const QString &text) = 0;
    // A message of the run, shown in order (a box in the program, a line in the console).
    // `caption` is the box's title where a message names one (empty: the severity's own).
    virtual void note(Severity severity, const QString &text, const QString &caption) = 0;
    // True once the person asked to stop a stage that offers cancel.
    virtual bool cancelled() const = 0;
    // The run is over.
    virtual void finish(RunOutcome outcome) = 0;
};

} // namespace core
