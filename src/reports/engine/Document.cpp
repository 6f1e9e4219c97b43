#include "reports/engine/Document.h"

#include <QStringList>

namespace reports {

namespace {

QString alignName(Align align)
{
    switch (align) {
    case Align::Left:
        return QStringLiteral("left");
    case Align::Center:
        return QStringLiteral("center");
    case Align::Right:
        return QStringLiteral("right");
    }
    return {};
}

QString fontText(const Font &font)
{
    QString text = font.family + u' ' + QString::number(font.size);
    if (font.bold)
        text += QStringLiteral(" bold");
    if (font.italic)
        text += QStringLiteral(" italic");
    if (font.underline)
        text += QStringLiteral(" underline");
    return text;
}

QString colourText(const QColor &colour)
{
    return colour == QColor(Qt::black) ? QString() : u' ' + colour.name();
}

QString sizeText(const QRect &rect)
{
    return QString::number(rect.width()) + u'x' + QString::number(rect.height());
}

// Kind, size and style of an item, for the dump.
QString describe(const Item &item)
{
    switch (item.kind) {
    case Item::Kind::Text:
        return QStringLiteral("text ") + sizeText(item.rect) + u' ' + fontText(item.font) + u' ' +
               alignName(item.align) + colourText(item.color);
    case Item::Kind::Line:
        return QStringLiteral("line ") + sizeText(item.rect) + QStringLiteral(" pen ") +
               QString::number(item.penWidth) + colourText(item.color);
    case Item::Kind::Rect:
        return QStringLiteral("rect ") + sizeText(item.rect) + QStringLiteral(" pen ") +
               QString::number(item.penWidth) + colourText(item.color) +
               (item.fill.isValid() ? QStringLiteral(" fill ") + item.fill.name() : QString());
    case Item::Kind::Image:
        return QStringLiteral("image ") + sizeText(item.rect);
    }
    return {};
}

} // namespace

QStringList Document::dumpLines() const
{
    QStringList lines;
    for (int p = 0; p < pages.size(); ++p) {
        for (const Item &item : pages.at(p).items) {
            QString text = item.text;
            if (item.kind == Item::Kind::Image && text.isEmpty())
                text = QStringLiteral("(imagem padrão)");
            lines.append(QString::number(p + 1) + u'\t' + QString::number(item.rect.x()) + u'\t' +
                         QString::number(item.rect.y()) + u'\t' + describe(item) + u'\t' + text);
        }
    }
    return lines;
}

QString Document::dump() const
{
    QString text;
    for (const QString &line : dumpLines())
        text += line + u'\n';
    return text;
}

QStringList Document::texts(int pageIndex) const
{
    QStringList result;
    for (const Item &item : pages.value(pageIndex).items) {
        if (item.kind == Item::Kind::Text)
            result.append(item.text);
    }
    return result;
}

} // namespace reports
