#include "billing/forms/GeneratorReporter.h"

#include "core/Dialogs.h"

#include <QCoreApplication>

void GeneratorReporter::step(int, const QString &)
{
    if (!m_repaint.due())
        return;
    m_repaint.restart();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void GeneratorReporter::note(core::Severity severity, const QString &text, const QString &caption)
{
    const core::Icon icon = severity == core::Severity::Error     ? core::Icon::Error
                          : severity == core::Severity::Warning ? core::Icon::Warning
                                                                : core::Icon::Information;
    core::dialogs().show({text, caption.isEmpty() ? QStringLiteral("Atenção") : caption, icon});
}
