#pragma once

#include "core/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <memory>

// Records every message and prompt and answers from a script. Install it with
// ScriptedDialogs::install(); it stays the process-wide service until the guard dies.
class ScriptedDialogs : public core::Dialogs
{
public:
    struct Shown
    {
        QString kind; // "message", "text", "open", "save", "directory"
        QString text;
        QString caption;
        core::Icon icon = core::Icon::None;
        core::Buttons buttons;
    };

    core::Button show(const core::Message &message) override;
    std::optional<QString> askText(const QString &caption, const QString &prompt,
                                   const QString &initial) override;
    QString openFile(const core::FileRequest &request) override;
    QString saveFile(const core::FileRequest &request) override;
    QString chooseDirectory(const QString &caption, const QString &directory) override;

    // Answers are used in order; without one, a message gets its default button, a prompt is
    // cancelled and a chooser returns an empty name.
    void answer(core::Button button) { m_buttons.enqueue(button); }
    void answerText(const std::optional<QString> &text) { m_texts.enqueue(text); }
    void answerFile(const QString &path) { m_files.enqueue(path); }

    const QList<Shown> &shown() const { return m_shown; }
    QStringList texts() const;
    const Shown &last() const { return m_shown.last(); }
    const core::FileRequest &lastSaveRequest() const { return m_lastSave; }
    void clear() { m_shown.clear(); }

    // Installs a fresh instance for the scope of the returned guard.
    class Guard
    {
    public:
        Guard();
        ~Guard();
        ScriptedDialogs *operator->() const { return m_dialogs; }
        ScriptedDialogs &operator*() const { return *m_dialogs; }

    private:
        ScriptedDialogs *m_dialogs;
        std::unique_ptr<core::Dialogs> m_previous;
    };

private:
    QList<Shown> m_shown;
    QQueue<core::Button> m_buttons;
    QQueue<std::optional<QString>> m_texts;
    QQueue<QString> m_files;
    core::FileRequest m_lastSave;
};
