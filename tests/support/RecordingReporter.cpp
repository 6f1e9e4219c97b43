#include "support/RecordingReporter.h"

void RecordingReporter::begin(const QString &title, int total, bool offersCancel)
{
    m_stages += Stage{title, total, offersCancel};
}

void RecordingReporter::step(int done, const QString &text)
{
    m_steps += done;
    m_stepTexts += text;
}

void RecordingReporter::note(core::Severity severity, const QString &text, const QString &caption)
{
    m_notes += Note{severity, text, caption};
}

bool RecordingReporter::cancelled() const
{
    return m_cancelAt > 0 && !m_stages.isEmpty() && m_stages.last().offersCancel
           && m_steps.size() >= m_cancelAt;
}

void RecordingReporter::finish(core::RunOutcome outcome)
{
    m_outcome = outcome;
    ++m_finishes;
}

QStringList RecordingReporter::noteTexts() const
{
    QStringList texts;
    for (const Note &n : m_notes)
        texts += n.text;
    return texts;
}
