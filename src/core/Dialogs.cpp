#include "core/Dialogs.h"

#include <cstdio>

namespace core {

namespace {

std::unique_ptr<Dialogs> &current()
{
    static std::unique_ptr<Dialogs> dialogs = std::make_unique<ConsoleDialogs>();
    return dialogs;
}

void printLine(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

} // namespace

Button defaultAnswer(const Message &message)
{
    if (message.defaultButton != Button::NoButton)
        return message.defaultButton;
    for (Button b : {Button::Ok, Button::Yes, Button::No, Button::Cancel, Button::Abort,
                     Button::Retry, Button::Ignore, Button::YesToAll, Button::NoToAll}) {
        if (message.buttons.testFlag(b))
            return b;
    }
    return Button::Ok;
}

Button ConsoleDialogs::show(const Message &message)
{
    QString text = message.text;
    text.replace(u'\r', u'\n');
    printLine(message.caption.isEmpty() ? text : message.caption + QStringLiteral(": ") + text);
    return defaultAnswer(message);
}

std::optional<QString> ConsoleDialogs::askText(const QString &, const QString &, const QString &)
{
    return std::nullopt;
}

QString ConsoleDialogs::openFile(const FileRequest &)
{
    return QString();
}

QString ConsoleDialogs::saveFile(const FileRequest &)
{
    return QString();
}

QString ConsoleDialogs::chooseDirectory(const QString &, const QString &)
{
    return QString();
}

Dialogs &dialogs()
{
    return *current();
}

std::unique_ptr<Dialogs> setDialogs(std::unique_ptr<Dialogs> dialogs)
{
    std::unique_ptr<Dialogs> previous = std::move(current());
    current() = dialogs ? std::move(dialogs) : std::make_unique<ConsoleDialogs>();
    return previous;
}

void inform(const QString &text, const QString &caption)
{
    dialogs().show({text, caption, Icon::Information, Button::Ok});
}

void warn(const QString &text, const QString &caption)
{
    dialogs().show({text, caption, Icon::Warning, Button::Ok});
}

void showError(const QString &text, const QString &caption)
{
    dialogs().show({text, caption, Icon::Error, Button::Ok});
}

bool confirm(const QString &text, const QString &caption, Icon icon)
{
    return dialogs().show({text, caption, icon, Button::Yes | Button::No}) == Button::Yes;
}

} // namespace core
