#pragma once

#include <QString>

// What a long run (generation, import, recalculation, ranking, fees, numbering, backup) tells
// the person waiting for it. The run calls it; three faces show it: a progress dialog in the
// program, the console in lumesco-cli, and a recording one in tests.
namespace core {

enum class Severity
{
    Info,    // a message box with the run's text ("Processo concluído.")
    Warning, // a warning box
    Error,   // an error box; the run may go on (a skipped row) or stop
};

class RunReporter
{
public:
    virtual ~RunReporter() = default;

    // A new stage: its title ("Importando alunos") and how many steps it has (0: unknown).
    virtual void begin(const QString &title, int total) = 0;
    // `done` steps of the stage are finished; `text` is the progress label ("Lendo: 3 de 200").
    virtual void step(int done, const QString &text = QString()) = 0;
    // A message of the run, shown in order (a box in the program, a line in the console).
    // `caption` is the box's title where a message names one.
    virtual void note(Severity severity, const QString &text, const QString &caption = QString()) = 0;
    // True once the person asked to stop; runs that offer cancel check it between steps.
    virtual bool cancelled() const = 0;
};

} // namespace core
