#pragma once

#include "core/Dialogs.h"

// The program's dialog service: Qt's message boxes and file choosers with Portuguese buttons.
namespace app {

class WidgetDialogs : public core::Dialogs
{
public:
    core::Button show(const core::Message &message) override;
    std::optional<QString> askText(const QString &caption, const QString &prompt,
                                   const QString &initial) override;
    QString openFile(const core::FileRequest &request) override;
    QString saveFile(const core::FileRequest &request) override;
    QString chooseDirectory(const QString &caption, const QString &directory) override;
};

} // namespace app
