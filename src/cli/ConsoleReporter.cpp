#include "cli/ConsoleReporter.h"

#include "cli/Verb.h"

#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <io.h>
#endif

namespace cli {

bool standardErrorIsTerminal()
{
#ifdef Q_OS_UNIX
    return isatty(fileno(stderr)) != 0;
#elif defined(Q_OS_WIN)
    return _isatty(_fileno(stderr)) != 0;
#else
    return false;
#endif
}

ConsoleReporter::ConsoleReporter(Context &context)
    : ConsoleReporter(context.out, context.err, standardErrorIsTerminal())
{
}

ConsoleReporter::ConsoleReporter(QTextStream &out, QTextStream &err, bool showProgress)
    : m_out(out), m_err(err), m_showProgress(showProgress)
{
}

ConsoleReporter::~ConsoleReporter()
{
    clearProgress();
}

void ConsoleReporter::begin(const QString &title, int total, bool)
{
    m_title = title;
    m_total = total;
    m_done = 0;
    m_text.clear();
    if (m_showProgress)
        drawProgress();
}

void ConsoleReporter::step(int done, const QString &text)
{
    if (!m_showProgress)
        return;
    m_done = done;
    m_text = text;
    if (m_draw.due())
        drawProgress();
}

void ConsoleReporter::drawProgress()
{
    m_draw.restart();
    QString line = m_title;
    if (m_total > 0)
        line += QStringLiteral(" %1%").arg(qBound(0, m_done, m_total) * 100 / m_total, 3);
    if (!m_text.isEmpty())
        line += QStringLiteral("  ") + m_text;
    const int width = int(line.size());
    m_err << '\r' << line << QString(qMax(0, m_drawnWidth - width), u' ');
    m_err.flush();
    m_drawnWidth = width;
}

void ConsoleReporter::clearProgress()
{
    if (m_drawnWidth == 0)
        return;
    m_err << '\r' << QString(m_drawnWidth, u' ') << '\r';
    m_err.flush();
    m_drawnWidth = 0;
}

void ConsoleReporter::note(core::Severity severity, const QString &text, const QString &)
{
    if (severity == core::Severity::Error)
        ++m_errors;
    clearProgress();
    m_out << oneLine(text) << '\n';
    m_out.flush();
    m_draw.reset(); // the progress line comes back at the next step
}

void ConsoleReporter::finish(core::RunOutcome outcome)
{
    m_outcome = outcome;
    clearProgress();
}

int ConsoleReporter::exitStatus() const
{
    // No outcome: nothing needed a run (a check that only lists).
    if (m_outcome && *m_outcome != core::RunOutcome::Completed)
        return kStopped;
    return m_errors > 0 ? kRowsSkipped : kCompleted;
}

} // namespace cli
