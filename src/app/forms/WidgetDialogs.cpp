#include "app/forms/WidgetDialogs.h"

#include "app/Startup.h"
#include "core/ProgramDirs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace app {

namespace {

struct ButtonText
{
    core::Button button;
    QMessageBox::StandardButton standard;
    const char16_t *text;
};

constexpr ButtonText kButtons[] = {
    {core::Button::Ok, QMessageBox::Ok, u"OK"},
    {core::Button::Cancel, QMessageBox::Cancel, u"Cancelar"},
    {core::Button::Yes, QMessageBox::Yes, u"&Sim"},
    {core::Button::No, QMessageBox::No, u"&Não"},
    {core::Button::Abort, QMessageBox::Abort, u"&Anular"},
    {core::Button::Retry, QMessageBox::Retry, u"&Repetir"},
    {core::Button::Ignore, QMessageBox::Ignore, u"&Ignorar"},
    {core::Button::YesToAll, QMessageBox::YesToAll, u"Sim para &Todos"},
    {core::Button::NoToAll, QMessageBox::NoToAll, u"Nã&o para Todos"},
};

QMessageBox::Icon iconOf(core::Icon icon)
{
    switch (icon) {
    case core::Icon::None:
        return QMessageBox::NoIcon;
    case core::Icon::Information:
        return QMessageBox::Information;
    case core::Icon::Warning:
        return QMessageBox::Warning;
    case core::Icon::Error:
        return QMessageBox::Critical;
    case core::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString captionOr(const QString &caption)
{
    return caption.isEmpty() ? applicationTitle() : caption;
}

} // namespace

core::Button WidgetDialogs::show(const core::Message &message)
{
    QString text = message.text;
    text.replace(u'\r', u'\n');
    QMessageBox box(iconOf(message.icon), captionOr(message.caption), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    const core::Button defaultButton = core::defaultAnswer(message);
    for (const ButtonText &b : kButtons) {
        if (!message.buttons.testFlag(b.button))
            continue;
        QPushButton *pushButton = box.addButton(b.standard);
        pushButton->setText(QString::fromUtf16(b.text));
        if (b.button == defaultButton)
            box.setDefaultButton(pushButton);
    }
    box.exec();
    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    for (const ButtonText &b : kButtons) {
        if (b.standard == clicked)
            return b.button;
    }
    // Closed without a button (Esc on a box without Cancel): the box's escape answer.
    return message.buttons.testFlag(core::Button::Cancel) ? core::Button::Cancel : defaultButton;
}

std::optional<QString> WidgetDialogs::askText(const QString &caption, const QString &prompt,
                                              const QString &initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), captionOr(caption),
                                               prompt, QLineEdit::Normal, initial, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

QString WidgetDialogs::openFile(const core::FileRequest &request)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), request.caption,
                                        core::joinPath(request.directory, request.fileName),
                                        request.filter);
}

QString WidgetDialogs::saveFile(const core::FileRequest &request)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), request.caption,
                                        core::joinPath(request.directory, request.fileName),
                                        request.filter, nullptr,
                                        request.confirmOverwrite ? QFileDialog::Options()
                                                                 : QFileDialog::DontConfirmOverwrite);
}

QString WidgetDialogs::chooseDirectory(const QString &caption, const QString &directory)
{
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), caption, directory);
}

} // namespace app
