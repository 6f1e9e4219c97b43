#pragma once

#include <QFlags>
#include <QString>
#include <memory>
#include <optional>

// Every message box, question, text prompt and file chooser of the program goes through this
// service, so tests can script the answers and the command line can run without windows.
// A "\r" inside a message is a line break.
namespace core {

enum class Icon { None, Information, Warning, Error, Question };

enum class Button {
    NoButton = 0,
    Ok = 0x1,
    Cancel = 0x2,
    Yes = 0x4,
    No = 0x8,
    Abort = 0x10,
    Retry = 0x20,
    Ignore = 0x40,
    YesToAll = 0x80,
    NoToAll = 0x100,
};
Q_DECLARE_FLAGS(Buttons, Button)
Q_DECLARE_OPERATORS_FOR_FLAGS(Buttons)

struct Message
{
    QString text;
    QString caption;
    Icon icon = Icon::Information;
    Buttons buttons = Button::Ok;
    Button defaultButton = Button::NoButton; // NoButton: the first of `buttons`
};

struct FileRequest
{
    QString caption;
    QString directory;
    QString fileName; // suggested name
    QString filter;   // Qt filter text, e.g. "Texto (*.txt);;Todos (*)"
    // Off when the caller asks its own question about an existing file (it may add an
    // extension first), so the user is not asked twice.
    bool confirmOverwrite = true;
};

class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual Button show(const Message &message) = 0;
    // nullopt when the user cancels.
    virtual std::optional<QString> askText(const QString &caption, const QString &prompt,
                                           const QString &initial) = 0;
    // Empty when cancelled.
    virtual QString openFile(const FileRequest &request) = 0;
    virtual QString saveFile(const FileRequest &request) = 0;
    virtual QString chooseDirectory(const QString &caption, const QString &directory) = 0;
};

// Without windows: writes each message to standard error and answers with the default button;
// prompts and choosers are cancelled. The command line uses it.
class ConsoleDialogs : public Dialogs
{
public:
    Button show(const Message &message) override;
    std::optional<QString> askText(const QString &caption, const QString &prompt,
                                   const QString &initial) override;
    QString openFile(const FileRequest &request) override;
    QString saveFile(const FileRequest &request) override;
    QString chooseDirectory(const QString &caption, const QString &directory) override;
};

Dialogs &dialogs();
// Replaces the process-wide service; returns the previous one.
std::unique_ptr<Dialogs> setDialogs(std::unique_ptr<Dialogs> dialogs);

// Shorthands for the common boxes.
void inform(const QString &text, const QString &caption = QString());
void warn(const QString &text, const QString &caption = QStringLiteral("Atenção"));
void showError(const QString &text, const QString &caption = QStringLiteral("Erro"));
// Yes/No question; true for Yes.
bool confirm(const QString &text, const QString &caption = QStringLiteral("Confirmação"),
             Icon icon = Icon::Question);

// The button's effective default: `defaultButton`, else the first button present.
Button defaultAnswer(const Message &message);

} // namespace core
