#include "support/ScriptedDialogs.h"

core::Button ScriptedDialogs::show(const core::Message &message)
{
    m_shown.append({QStringLiteral("message"), message.text, message.caption, message.icon,
                    message.buttons});
    if (!m_buttons.isEmpty())
        return m_buttons.dequeue();
    return core::defaultAnswer(message);
}

std::optional<QString> ScriptedDialogs::askText(const QString &caption, const QString &prompt,
                                                const QString &)
{
    m_shown.append({QStringLiteral("text"), prompt, caption, core::Icon::None, {}});
    if (!m_texts.isEmpty())
        return m_texts.dequeue();
    return std::nullopt;
}

QString ScriptedDialogs::openFile(const core::FileRequest &request)
{
    m_shown.append({QStringLiteral("open"), request.fileName, request.caption, core::Icon::None, {}});
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}

QString ScriptedDialogs::saveFile(const core::FileRequest &request)
{
    m_shown.append({QStringLiteral("save"), request.fileName, request.caption, core::Icon::None, {}});
    m_lastSave = request;
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}

QString ScriptedDialogs::chooseDirectory(const QString &caption, const QString &directory)
{
    m_shown.append({QStringLiteral("directory"), directory, caption, core::Icon::None, {}});
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}

QStringList ScriptedDialogs::texts() const
{
    QStringList result;
    for (const Shown &s : m_shown)
        result.append(s.text);
    return result;
}

ScriptedDialogs::Guard::Guard() : m_dialogs(new ScriptedDialogs)
{
    m_previous = core::setDialogs(std::unique_ptr<core::Dialogs>(m_dialogs));
}

ScriptedDialogs::Guard::~Guard()
{
    core::setDialogs(std::move(m_previous));
}
