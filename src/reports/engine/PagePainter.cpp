#include "reports/engine/PagePainter.h"

#include "reports/engine/TextMetrics.h"

#include <QPaintDevice>
#include <optional>

namespace reports {

namespace {

Qt::Alignment qtAlignment(Align align)
{
    switch (align) {
    case Align::Left:
        return Qt::AlignLeft;
    case Align::Center:
        return Qt::AlignHCenter;
    case Align::Right:
        return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

QPen pen(const Item &item)
{
    QPen result(item.color);
    result.setWidthF(item.penWidth);
    result.setCapStyle(Qt::FlatCap);
    result.setJoinStyle(Qt::MiterJoin);
    return result;
}

} // namespace

void paintPage(QPainter &painter, const Document &document, int pageIndex, const QRectF &target)
{
    if (pageIndex < 0 || pageIndex >= document.pages.size() || document.size.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / document.size.width(), target.height() / document.size.height());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    // Fonts and colours change rarely between neighbouring items; setting them only on a change
    // keeps a page of text cheap to draw.
    const double dotsPerInch = painter.device()->logicalDpiY();
    std::optional<Font> currentFont;
    QColor currentColor;
    for (const Item &item : document.pages.at(pageIndex).items) {
        switch (item.kind) {
        case Item::Kind::Text: {
            if (currentFont != item.font) {
                painter.setFont(qtFont(item.font, dotsPerInch));
                currentFont = item.font;
            }
            if (item.color != currentColor) {
                painter.setPen(item.color);
                currentColor = item.color;
            }
            painter.drawText(QRectF(item.rect),
                             qtAlignment(item.align) | Qt::AlignTop | Qt::TextDontClip |
                                 Qt::TextSingleLine,
                             item.text);
            break;
        }
        case Item::Kind::Line:
            painter.setPen(pen(item));
            currentColor = QColor();
            painter.drawLine(QPointF(item.rect.x(), item.rect.y()),
                             QPointF(item.rect.x() + item.rect.width(),
                                     item.rect.y() + item.rect.height()));
            break;
        case Item::Kind::Rect:
            painter.setPen(pen(item));
            currentColor = QColor();
            painter.setBrush(item.fill.isValid() ? QBrush(item.fill) : QBrush(Qt::NoBrush));
            painter.drawRect(QRectF(item.rect));
            painter.setBrush(Qt::NoBrush);
            break;
        case Item::Kind::Image:
            painter.drawImage(QRectF(item.rect), item.image);
            break;
        }
    }
    painter.restore();
}

void paintPageFullSize(QPainter &painter, const Document &document, int pageIndex)
{
    const QPaintDevice *device = painter.device();
    const double pixelsPerTenthX = device->logicalDpiX() / 254.0;
    const double pixelsPerTenthY = device->logicalDpiY() / 254.0;
    paintPage(painter, document, pageIndex,
              QRectF(0, 0, document.size.width() * pixelsPerTenthX,
                     document.size.height() * pixelsPerTenthY));
}

} // namespace reports
