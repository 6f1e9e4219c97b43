#include "app/forms/DBNavigator.h"

#include "core/Dialogs.h"
#include "data/store/Dataset.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace app {

DBNavigator::DBNavigator(data::Dataset *dataset, QWidget *parent)
    : QWidget(parent), m_dataset(dataset)
{
    setObjectName(QStringLiteral("DBNavigator1"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    addButton(First, "nbFirst", QStringLiteral("|◀"), QStringLiteral("Primeiro"), [this] { m_dataset->first(); });
    addButton(Prior, "nbPrior", QStringLiteral("◀"), QStringLiteral("Anterior"), [this] { m_dataset->prior(); });
    addButton(Next, "nbNext", QStringLiteral("▶"), QStringLiteral("Próximo"), [this] { m_dataset->next(); });
    addButton(Last, "nbLast", QStringLiteral("▶|"), QStringLiteral("Último"), [this] { m_dataset->last(); });
    addButton(Insert, "nbInsert", QStringLiteral("+"), QStringLiteral("Inserir"), [this] { m_dataset->append(); });
    addButton(Delete, "nbDelete", QStringLiteral("−"), QStringLiteral("Excluir"), [this] { deleteCurrent(); });
    addButton(Edit, "nbEdit", QStringLiteral("▲"), QStringLiteral("Editar"), [this] { m_dataset->edit(); });
    addButton(Post, "nbPost", QStringLiteral("✓"), QStringLiteral("Gravar"), [this] { m_dataset->post(); });
    addButton(Cancel, "nbCancel", QStringLiteral("✗"), QStringLiteral("Cancelar"), [this] { m_dataset->cancel(); });
    addButton(Refresh, "nbRefresh", QStringLiteral("↻"), QStringLiteral("Atualizar"), [this] { m_dataset->refresh(); });
    addButton(Search, "nbSearch", QStringLiteral("🔍"), QStringLiteral("Localizar"), [] {});
    layout->addStretch();
    setVisibleButtons(MoveButtons | Insert | Delete | Refresh);

    connect(dataset, &data::Dataset::currentChanged, this, &DBNavigator::updateButtons);
    connect(dataset, &data::Dataset::stateChanged, this, &DBNavigator::updateButtons);
    connect(dataset, &data::Dataset::reset, this, &DBNavigator::updateButtons);
    connect(dataset, &data::Dataset::rowInserted, this, &DBNavigator::updateButtons);
    connect(dataset, &data::Dataset::rowRemoved, this, &DBNavigator::updateButtons);
    updateButtons();
}

void DBNavigator::setInsertAction(std::function<void()> action)
{
    setAction(Insert, std::move(action));
}

void DBNavigator::setAction(Button button, std::function<void()> action)
{
    m_actions.insert(button, std::move(action));
    setVisibleButtons(m_visible);
}

void DBNavigator::setVisibleButtons(Buttons buttons)
{
    m_visible = buttons;
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it)
        it.value()->setVisible(buttons.testFlag(Button(it.key()))
                               && (it.key() != Search || m_actions.contains(Search)));
}

void DBNavigator::showEditButtons()
{
    setVisibleButtons(m_visible | Edit | Post | Cancel);
}

void DBNavigator::setConfirmDelete(bool confirm)
{
    m_confirmDelete = confirm;
}

void DBNavigator::setBeforeAction(std::function<void()> hook)
{
    m_beforeAction = std::move(hook);
}

QToolButton *DBNavigator::addButton(Button button, const char *objectName, const QString &symbol,
                                    const QString &hint, std::function<void()> action)
{
    auto *toolButton = new QToolButton(this);
    toolButton->setObjectName(QString::fromLatin1(objectName));
    toolButton->setText(symbol);
    toolButton->setToolTip(hint);
    toolButton->setMinimumWidth(28);
    layout()->addWidget(toolButton);
    m_buttons.insert(button, toolButton);
    connect(toolButton, &QToolButton::clicked, this, [this, button, action = std::move(action)] {
        const auto custom = m_actions.constFind(button);
        run(button, custom != m_actions.cend() ? custom.value() : action);
    });
    return toolButton;
}

void DBNavigator::run(Button button, const std::function<void()> &action)
{
    if (!m_dataset)
        return;
    try {
        if (m_beforeAction)
            m_beforeAction();
        action();
    } catch (const data::StoreError &error) {
        core::showError(error.message());
    } catch (const data::Abort &) {
        // A rule stopped it without a message.
    }
    updateButtons();
    emit clicked(button);
}

void DBNavigator::deleteCurrent()
{
    if (m_dataset->isEmpty())
        return;
    if (!m_confirmDelete || core::confirm(QStringLiteral("Excluir o registro?")))
        m_dataset->remove();
}

void DBNavigator::updateButtons()
{
    const bool open = m_dataset && m_dataset->isOpen();
    const bool rows = open && !m_dataset->isEmpty();
    const bool writable = open && !m_dataset->isReadOnly();
    const bool editing = open && m_dataset->isEditing();
    const int position = rows ? m_dataset->recNo() : -1;
    const bool atFirst = position <= 0;
    const bool atLast = !rows || position >= m_dataset->recordCount() - 1;
    m_buttons[First]->setEnabled(rows && !atFirst);
    m_buttons[Prior]->setEnabled(rows && !atFirst);
    m_buttons[Next]->setEnabled(rows && !atLast);
    m_buttons[Last]->setEnabled(rows && !atLast);
    m_buttons[Insert]->setEnabled(writable);
    m_buttons[Delete]->setEnabled(writable && rows);
    m_buttons[Edit]->setEnabled(writable && rows && !editing);
    m_buttons[Post]->setEnabled(editing);
    m_buttons[Cancel]->setEnabled(editing);
    m_buttons[Refresh]->setEnabled(open);
    m_buttons[Search]->setEnabled(rows && !editing);
}

} // namespace app
