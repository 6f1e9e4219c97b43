#include "app/forms/TPasswordDlg.h"

#include "core/Dialogs.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace app {

namespace {

bool isReturn(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QPushButton *makeButton(const QString &caption, const char *objectName, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    return button;
}

} // namespace

TPasswordDlg::TPasswordDlg(const data::UsersTable &users, const QList<SchoolYear> &years,
                           QWidget *parent)
    : QDialog(parent), m_flow(users), m_years(years)
{
    setObjectName(QStringLiteral("PasswordDlg"));
    setWindowTitle(QStringLiteral("Identifique-se"));
    setModal(true);

    m_usuario = new QLineEdit(this);
    m_usuario->setObjectName(QStringLiteral("txtUsuario"));
    m_usuario->setMaxLength(10);
    m_senha = addPasswordEdit("txtSenha");
    m_novaSenha = addPasswordEdit("txtNovaSenha");
    m_confirmaSenha = addPasswordEdit("txtConfirmaSenha");
    m_lblNovaSenha = new QLabel(QStringLiteral("Nova Senha"), this);
    m_lblConfirmaSenha = new QLabel(QStringLiteral("Confirme Nova Senha"), this);
    m_lblNovaSenha->setBuddy(m_novaSenha);
    m_lblConfirmaSenha->setBuddy(m_confirmaSenha);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Usuário"), m_usuario);
    fields->addRow(QStringLiteral("Senha:"), m_senha);
    fields->addRow(m_lblNovaSenha, m_novaSenha);
    fields->addRow(m_lblConfirmaSenha, m_confirmaSenha);
    for (QWidget *w : {static_cast<QWidget *>(m_lblNovaSenha), static_cast<QWidget *>(m_novaSenha),
                       static_cast<QWidget *>(m_lblConfirmaSenha),
                       static_cast<QWidget *>(m_confirmaSenha)})
        w->hide();

    m_grid = new QTableWidget(this);
    m_grid->setObjectName(QStringLiteral("grdAnoLetivo"));
    fillYears(years);

    m_ok = makeButton(QStringLiteral("Log ON"), "OKBtn", this);
    m_ok->setToolTip(QStringLiteral("Ativar direitos do Usuário"));
    m_ok->setDefault(true);
    m_cancel = makeButton(QStringLiteral("Cancela&r"), "CancelBtn", this);
    m_cancel->setToolTip(QStringLiteral("Tabelas apenas para Leitura"));
    m_alterarSenha = makeButton(QStringLiteral("Alterar Senha"), "cmdAlterarSenha", this);
    // Kept from the screen's first layout; nothing uses them.
    for (QPushButton *unused : {makeButton(QStringLiteral("&Salvar"), "cmdSalvar", this),
                                makeButton(QStringLiteral("&Caminho Padrão"), "cmdCaminhoPadrao",
                                           this)}) {
        unused->setEnabled(false);
        unused->hide();
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_alterarSenha);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(520, 340);

    connect(m_ok, &QPushButton::clicked, this, &TPasswordDlg::OKBtnClick);
    connect(m_cancel, &QPushButton::clicked, this, &TPasswordDlg::reject);
    connect(m_alterarSenha, &QPushButton::clicked, this, &TPasswordDlg::cmdAlterarSenhaClick);
    m_novaSenha->installEventFilter(this);
    m_confirmaSenha->installEventFilter(this);

    m_usuario->setText(m_flow.suggestedUserName());
    (m_usuario->text().isEmpty() ? m_usuario : m_senha)->setFocus();
}

QLineEdit *TPasswordDlg::addPasswordEdit(const char *objectName)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

void TPasswordDlg::fillYears(const QList<SchoolYear> &years)
{
    m_grid->setColumnCount(2);
    m_grid->setHorizontalHeaderLabels(
        {QStringLiteral("Ano Letivo"), QStringLiteral("Caminho da Base de Dados")});
    m_grid->setRowCount(int(years.size()));
    for (int row = 0; row < years.size(); ++row) {
        m_grid->setItem(row, 0, new QTableWidgetItem(QString::number(years[row].year)));
        m_grid->setItem(row, 1, new QTableWidgetItem(years[row].path));
    }
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->resizeColumnToContents(0);
    // The latest year is the one usually wanted.
    if (!years.isEmpty())
        m_grid->selectRow(int(years.size()) - 1);
}

std::optional<SchoolYear> TPasswordDlg::selectedYear() const
{
    const QList<QTableWidgetItem *> selected = m_grid->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    const int row = selected.first()->row();
    if (row < 0 || row >= m_years.size())
        return std::nullopt;
    return m_years[row];
}

void TPasswordDlg::OKBtnClick()
{
    const std::optional<SchoolYear> year = selectedYear();
    const DialogStep step = m_flow.logOn(m_usuario->text(), m_senha->text(), year.has_value());
    if (step.close == DialogStep::Close::Accepted)
        m_choice = LogOnChoice{*m_flow.acceptedUser(), *year};
    carryOut(step);
}

void TPasswordDlg::cmdAlterarSenhaClick()
{
    carryOut(m_flow.changePassword(m_usuario->text(), m_senha->text()));
}

void TPasswordDlg::txtConfirmaSenhaExit()
{
    carryOut(m_flow.confirmNewPassword(m_novaSenha->text(), m_confirmaSenha->text()));
}

bool TPasswordDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_novaSenha && isReturn(event)) {
        moveFocus(m_confirmaSenha);
        return true;
    }
    if (watched == m_confirmaSenha && isReturn(event)) {
        txtConfirmaSenhaExit();
        return true;
    }
    if (watched == m_confirmaSenha && event->type() == QEvent::FocusOut && !m_movingFocus) {
        // Leaving for another control of the dialog saves; going back to the first field or
        // to "Cancelar", or a message box taking the focus, does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        const QWidget *next = QApplication::focusWidget();
        const bool toOtherControl = reason == Qt::TabFocusReason ||
                                    reason == Qt::BacktabFocusReason ||
                                    reason == Qt::MouseFocusReason ||
                                    reason == Qt::ShortcutFocusReason;
        if (toOtherControl && next != m_novaSenha && next != m_cancel)
            // After the focus change is over, so a message box does not cut into it.
            QMetaObject::invokeMethod(this, &TPasswordDlg::txtConfirmaSenhaExit,
                                      Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

void TPasswordDlg::moveFocus(QWidget *widget)
{
    m_movingFocus = true;
    widget->setFocus(Qt::OtherFocusReason);
    m_movingFocus = false;
}

void TPasswordDlg::carryOut(const DialogStep &step)
{
    if (!step.message.text.isEmpty()) {
        core::dialogs().show(step.message);
        // Typing goes on here even where nothing hands the focus back after the box.
        activateWindow();
    }
    if (step.showNewPasswordFields) {
        for (QWidget *w : {static_cast<QWidget *>(m_lblNovaSenha),
                           static_cast<QWidget *>(m_novaSenha),
                           static_cast<QWidget *>(m_lblConfirmaSenha),
                           static_cast<QWidget *>(m_confirmaSenha)})
            w->show();
    }
    if (step.password)
        m_senha->setText(*step.password);
    switch (step.focus) {
    case DialogStep::Focus::Unchanged:
        break;
    case DialogStep::Focus::UserName:
        moveFocus(m_usuario);
        break;
    case DialogStep::Focus::NewPassword:
        moveFocus(m_novaSenha);
        break;
    case DialogStep::Focus::LogOnButton:
        moveFocus(m_ok);
        break;
    }
    switch (step.close) {
    case DialogStep::Close::No:
        break;
    case DialogStep::Close::Cancelled:
        reject();
        break;
    case DialogStep::Close::Accepted:
        accept();
        break;
    }
}

} // namespace app
