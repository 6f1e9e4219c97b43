#include "students/forms/EllipsisDelegate.h"

#include <QAction>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

namespace students {

namespace {

// The "..." drawn as the button's picture, in the text box's own font.
QIcon ellipsisIcon(const QFont &font)
{
    const QFontMetrics metrics(font);
    QPixmap picture(metrics.horizontalAdvance(QStringLiteral("...")) + 4, metrics.height());
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setFont(font);
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("..."));
    return QIcon(picture);
}

} // namespace

EllipsisDelegate::EllipsisDelegate(Fill fill, QObject *parent) : QStyledItemDelegate(parent), m_fill(std::move(fill)) {}

QWidget *EllipsisDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    auto *text = new QLineEdit(parent);
    text->setObjectName(QStringLiteral("txtEllipsis"));
    text->setFrame(false);
    auto *button = text->addAction(ellipsisIcon(text->font()), QLineEdit::TrailingPosition);
    button->setObjectName(QStringLiteral("cmdEllipsis"));
    button->setToolTip(QStringLiteral("..."));
    const QPersistentModelIndex cell(index);
    connect(button, &QAction::triggered, text, [this, text, cell] { text->setText(m_fill(cell)); });
    return text;
}

void EllipsisDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    static_cast<QLineEdit *>(editor)->setText(index.data(Qt::EditRole).toString());
}

void EllipsisDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    const QString text = static_cast<QLineEdit *>(editor)->text();
    if (text != index.data(Qt::EditRole).toString())
        model->setData(index, text, Qt::EditRole);
}

} // namespace students
