#include "students/import/DialogsReporter.h"

#include "core/Dialogs.h"

namespace students {

void DialogsReporter::begin(const QString &, int) {}

void DialogsReporter::step(int, const QString &) {}

void DialogsReporter::note(core::Severity severity, const QString &text, const QString &caption)
{
    core::Icon icon = core::Icon::Information;
    if (severity == core::Severity::Warning)
        icon = core::Icon::Warning;
    else if (severity == core::Severity::Error)
        icon = core::Icon::Error;
    core::dialogs().show({text, caption, icon, core::Button::Ok});
}

} // namespace students
