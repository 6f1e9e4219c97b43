#include "app/forms/TfrmAlterarSenha.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

TfrmAlterarSenha::TfrmAlterarSenha(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAlterarSenha"));
    setWindowTitle(QStringLiteral("Alterar Senha"));

    auto *title = new QLabel(QStringLiteral("Identificação do Usuário"), this);
    title->setObjectName(QStringLiteral("lblIdentificacao"));
    auto *label = new QLabel(QStringLiteral("Senha"), this);
    label->setObjectName(QStringLiteral("lblSenha"));
    auto *password = new QLineEdit(this);
    password->setObjectName(QStringLiteral("txtSenha"));
    password->setMaxLength(10);
    password->setEchoMode(QLineEdit::Password);
    label->setBuddy(password);
    // Letters turn upper case as they are typed or pasted.
    connect(password, &QLineEdit::textEdited, password, [password](const QString &text) {
        const int cursor = password->cursorPosition();
        password->setText(text.toUpper());
        password->setCursorPosition(cursor);
    });
    auto *sair = new QPushButton(QStringLiteral("Sa&ir"), this);
    sair->setObjectName(QStringLiteral("cmdSair"));
    connect(sair, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(label);
    layout->addWidget(password);
    layout->addWidget(sair, 0, Qt::AlignRight);
}

} // namespace app
