#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

namespace students {

// A grid cell typed by picking one of a few fixed values ("N", "C").
class ChoiceDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    ChoiceDelegate(const QStringList &choices, QObject *parent);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

private:
    QStringList m_choices;
};

} // namespace students
