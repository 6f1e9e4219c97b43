#pragma once

#include "core/RunReporter.h"
#include "core/Throttle.h"

// How a generator window follows its run: the run's messages as boxes through the dialog
// service, and the window repainted a few times a second between rows.
class GeneratorReporter : public core::RunReporter
{
public:
    void begin(const QString &, int, bool) override {}
    void step(int done, const QString &text) override;
    void note(core::Severity severity, const QString &text, const QString &caption) override;
    bool cancelled() const override { return false; }
    void finish(core::RunOutcome) override {}

private:
    core::Throttle m_repaint{100};
};
