#pragma once

#include "core/RunReporter.h"

#include <QStringList>
#include <functional>

// Records what a run reports: "begin NAME TOTAL", "step N", "note TEXT" (errors as "error TEXT").
class RecordingReporter : public core::RunReporter
{
public:
    void begin(const QString &title, int total) override
    {
        events.append(QStringLiteral("begin %1 %2").arg(title).arg(total));
        if (onEvent)
            onEvent();
    }
    void step(int done, const QString &) override
    {
        events.append(QStringLiteral("step %1").arg(done));
        if (onEvent)
            onEvent();
    }
    void note(core::Severity severity, const QString &text, const QString &) override
    {
        events.append((severity == core::Severity::Error ? QStringLiteral("error ")
                                                         : QStringLiteral("note ")) +
                      text);
    }
    bool cancelled() const override { return stop; }

    QStringList notes() const
    {
        QStringList texts;
        for (const QString &event : events)
            if (event.startsWith(QStringLiteral("note ")) || event.startsWith(QStringLiteral("error ")))
                texts.append(event.section(u' ', 1));
        return texts;
    }

    QStringList events;
    bool stop = false;
    std::function<void()> onEvent;
};
