#pragma once

#include "core/RunReporter.h"

#include <QList>
#include <QStringList>
#include <functional>

// Keeps what a run told its user; may stop the run at a chosen step.
class RecordingReporter : public core::RunReporter
{
public:
    struct Note
    {
        core::Severity severity;
        QString text;
        QString caption;
    };

    void begin(const QString &title, int total) override
    {
        m_titles += title;
        m_total = total;
    }
    void step(int done, const QString &text) override
    {
        m_steps += text;
        if (onStep)
            onStep(done);
    }
    void note(core::Severity severity, const QString &text, const QString &caption) override
    {
        m_notes += {severity, text, caption};
    }
    bool cancelled() const override { return m_cancel; }

    void cancel() { m_cancel = true; }
    QStringList texts() const
    {
        QStringList list;
        for (const Note &n : m_notes)
            list += n.text;
        return list;
    }

    std::function<void(int done)> onStep;
    QStringList m_titles;
    QStringList m_steps;
    QList<Note> m_notes;
    int m_total = -1;

private:
    bool m_cancel = false;
};
