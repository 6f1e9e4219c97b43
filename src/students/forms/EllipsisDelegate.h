#pragma once

#include <QStyledItemDelegate>
#include <functional>

namespace students {

// A grid cell edited in a text box with a "..." button beside it that fills the box with a
// value computed from the row.
class EllipsisDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using Fill = std::function<QString(const QModelIndex &cell)>;
    EllipsisDelegate(Fill fill, QObject *parent);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

private:
    Fill m_fill;
};

} // namespace students
