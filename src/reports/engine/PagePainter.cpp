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

QPen pen(const Item &item, double scale)
{
    QPen result(item.color);
    result.setWidthF(item.penWidth * scale);
    result.setCapStyle(Qt::FlatCap);
    result.setJoinStyle(Qt::MiterJoin);
    return result;
}

} // namespace

void paintPage(QPainter &painter, const Document &document, int pageIndex, const QRectF &target)
{
    if (pageIndex < 0 || pageIndex >= document.pages.size() || document.size.isEmpty())
        return;
    // Positions are mapped by hand rather than by a scaled painter: fonts then keep their
    // real point sizes and the PDF engine writes plain coordinates, which is faster.
    const double sx = target.width() / document.size.width();
    const double sy = target.height() / document.size.height();
    const auto map = [&](double x, double y) {
        return QPointF(target.x() + x * sx, target.y() + y * sy);
    };
    const auto mapRect = [&](const QRect &rect) {
        return QRectF(map(rect.x(), rect.y()), QSizeF(rect.width() * sx, rect.height() * sy));
    };
    // A point is 254/72 tenths of a millimetre; the device turns points into its own pixels.
    const double fontScale = sy * kLayoutDotsPerInch / painter.device()->logicalDpiY();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Fonts and colours change rarely between neighbouring items; setting them only on a change
    // keeps a page of text cheap to draw.
    std::optional<Font> currentFont;
    QColor currentColor;
    for (const Item &item : document.pages.at(pageIndex).items) {
        switch (item.kind) {
        case Item::Kind::Text:
            if (currentFont != item.font) {
                painter.setFont(qtFont(item.font, fontScale));
                currentFont = item.font;
            }
            if (item.color != currentColor) {
                painter.setPen(item.color);
                currentColor = item.color;
            }
            painter.drawText(mapRect(item.rect),
                             qtAlignment(item.align) | Qt::AlignTop | Qt::TextDontClip |
                                 Qt::TextSingleLine,
                             item.text);
            break;
        case Item::Kind::Line:
            painter.setPen(pen(item, sy));
            currentColor = QColor();
            painter.drawLine(map(item.rect.x(), item.rect.y()),
                             map(item.rect.x() + item.rect.width(),
                                 item.rect.y() + item.rect.height()));
            break;
        case Item::Kind::Rect:
            painter.setPen(pen(item, sy));
            currentColor = QColor();
            painter.setBrush(item.fill.isValid() ? QBrush(item.fill) : QBrush(Qt::NoBrush));
            painter.drawRect(mapRect(item.rect));
            painter.setBrush(Qt::NoBrush);
            break;
        case Item::Kind::Image:
            painter.drawImage(mapRect(item.rect), item.image);
            break;
        }
    }
    painter.restore();
}

void paintPageFullSize(QPainter &painter, const Document &document, int pageIndex)
{
    const QPaintDevice *device = painter.device();
    const double pixelsPerTenthX = device->logicalDpiX() / kLayoutDotsPerInch;
    const double pixelsPerTenthY = device->logicalDpiY() / kLayoutDotsPerInch;
    paintPage(painter, document, pageIndex,
              QRectF(0, 0, document.size.width() * pixelsPerTenthX,
                     document.size.height() * pixelsPerTenthY));
}

} // namespace reports
