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
    m_first = addButton("nbFirst", QStringLiteral("|◀"), QStringLiteral("Primeiro"),
                        [this] { m_dataset->first(); });
    m_prior = addButton("nbPrior", QStringLiteral("◀"), QStringLiteral("Anterior"),
                        [this] { m_dataset->prior(); });
    m_next = addButton("nbNext", QStringLiteral("▶"), QStringLiteral("Próximo"),
                       [this] { m_dataset->next(); });
    m_last = addButton("nbLast", QStringLiteral("▶|"), QStringLiteral("Último"),
                       [this] { m_dataset->last(); });
    m_insertButton = addButton("nbInsert", QStringLiteral("+"), QStringLiteral("Inserir"), [this] {
        if (m_insert)
            m_insert();
        else
            m_dataset->append();
    });
    m_delete = addButton("nbDelete", QStringLiteral("−"), QStringLiteral("Excluir"),
                         [this] { deleteCurrent(); });
    m_edit = addButton("nbEdit", QStringLiteral("▲"), QStringLiteral("Editar"),
                       [this] { m_dataset->edit(); });
    m_post = addButton("nbPost", QStringLiteral("✓"), QStringLiteral("Gravar"),
                       [this] { m_dataset->post(); });
    m_cancel = addButton("nbCancel", QStringLiteral("✗"), QStringLiteral("Cancelar"),
                         [this] { m_dataset->cancel(); });
    for (QToolButton *button : {m_edit, m_post, m_cancel})
        button->hide();
    m_refresh = addButton("nbRefresh", QStringLiteral("↻"), QStringLiteral("Atualizar"),
                          [this] { m_dataset->refresh(); });
    layout->addStretch();

    connect(dataset, &data::Dataset::currentChanged, this, &DBNavigator::updateButtons);
    connect(dataset, &data::Dataset::stateChanged, this, &DBNavigator::updateButtons);
    connect(dataset, &data::Dataset::reset, this, &DBNavigator::updateButtons);
    connect(dataset, &data::Dataset::rowInserted, this, &DBNavigator::updateButtons);
    connect(dataset, &data::Dataset::rowRemoved, this, &DBNavigator::updateButtons);
    updateButtons();
}

void DBNavigator::setInsertAction(std::function<void()> action)
{
    m_insert = std::move(action);
}

void DBNavigator::showEditButtons()
{
    for (QToolButton *button : {m_edit, m_post, m_cancel})
        button->show();
}

void DBNavigator::setBeforeAction(std::function<void()> hook)
{
    m_beforeAction = std::move(hook);
}

QToolButton *DBNavigator::addButton(const char *objectName, const QString &symbol,
                                    const QString &hint, std::function<void()> action)
{
    auto *button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setText(symbol);
    button->setToolTip(hint);
    button->setMinimumWidth(28);
    layout()->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, action = std::move(action)] { run(action); });
    return button;
}

void DBNavigator::run(const std::function<void()> &action)
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
}

void DBNavigator::deleteCurrent()
{
    if (m_dataset->isEmpty())
        return;
    if (core::confirm(QStringLiteral("Excluir o registro?")))
        m_dataset->remove();
}

void DBNavigator::updateButtons()
{
    const bool open = m_dataset && m_dataset->isOpen();
    const bool rows = open && !m_dataset->isEmpty();
    const bool writable = open && !m_dataset->isReadOnly();
    const int position = rows ? m_dataset->recNo() : -1;
    const bool atFirst = position <= 0;
    const bool atLast = !rows || position >= m_dataset->recordCount() - 1;
    m_first->setEnabled(rows && !atFirst);
    m_prior->setEnabled(rows && !atFirst);
    m_next->setEnabled(rows && !atLast);
    m_last->setEnabled(rows && !atLast);
    m_insertButton->setEnabled(writable);
    m_delete->setEnabled(writable && rows);
    m_refresh->setEnabled(open);
    const bool editing = open && m_dataset->isEditing();
    m_edit->setEnabled(writable && rows && !editing);
    m_post->setEnabled(editing);
    m_cancel->setEnabled(editing);
}

} // namespace app
