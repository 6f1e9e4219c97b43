#include "students/forms/ChoiceDelegate.h"

#include <QComboBox>

namespace students {

ChoiceDelegate::ChoiceDelegate(const QStringList &choices, QObject *parent)
    : QStyledItemDelegate(parent), m_choices(choices)
{
}

QWidget *ChoiceDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *combo = new QComboBox(parent);
    combo->addItems(m_choices);
    return combo;
}

void ChoiceDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *combo = static_cast<QComboBox *>(editor);
    combo->setCurrentIndex(qMax(0, m_choices.indexOf(index.data(Qt::EditRole).toString())));
}

void ChoiceDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    const QString chosen = static_cast<QComboBox *>(editor)->currentText();
    if (chosen != index.data(Qt::EditRole).toString())
        model->setData(index, chosen, Qt::EditRole);
}

} // namespace students
