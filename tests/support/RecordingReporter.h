#pragma once

#include "core/RunReporter.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A run reporter for tests: records every stage, step and note, and can play the person who
// presses "Cancelar" at a given step.
class RecordingReporter : public core::RunReporter
{
public:
    struct Stage
    {
        QString title;
        int total = 0;
        bool offersCancel = false;
    };
    struct Note
    {
        core::Severity severity = core::Severity::Info;
        QString text;
        QString caption;
    };

    void begin(const QString &title, int total, bool offersCancel) override;
    void step(int done, const QString &text) override;
    void note(core::Severity severity, const QString &text, const QString &caption) override;
    bool cancelled() const override;
    void finish(core::RunOutcome outcome) override;

    // From the `count`-th step on (1 = the first), cancelled() answers true while the stage
    // offers cancel.
    void cancelAtStep(int count) { m_cancelAt = count; }

    const QList<Stage> &stages() const { return m_stages; }
    // The `done` values and texts of every step, in order.
    const QList<int> &steps() const { return m_steps; }
    const QStringList &stepTexts() const { return m_stepTexts; }
    const QList<Note> &notes() const { return m_notes; }
    QStringList noteTexts() const;
    // Set once the run finished.
    std::optional<core::RunOutcome> outcome() const { return m_outcome; }
    int finishCount() const { return m_finishes; }

private:
    QList<Stage> m_stages;
    QList<int> m_steps;
    QStringList m_stepTexts;
    QList<Note> m_notes;
    std::optional<core::RunOutcome> m_outcome;
    int m_finishes = 0;
    int m_cancelAt = 0;
};
