#pragma once

#include "core/RunReporter.h"

// A run's messages as boxes of the dialog service, in order (lines on the command line, where
// the service prints them); progress is left to the window that shows it.
namespace students {

class DialogsReporter : public core::RunReporter
{
public:
    void begin(const QString &title, int total) override;
    void step(int done, const QString &text) override;
    void note(core::Severity severity, const QString &text, const QString &caption) override;
    bool cancelled() const override { return false; }
};

} // namespace students
