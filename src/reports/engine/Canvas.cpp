#include "reports/engine/Canvas.h"

#include "reports/engine/TextMetrics.h"

#include <cmath>

namespace reports {

Canvas::Canvas(Page &page, const PrintContext &context, Tenths cursorY)
    : m_page(page), m_context(context), m_cursorY(cursorY)
{
}

void Canvas::setPen(const QColor &color, Tenths width)
{
    m_penColor = color;
    m_penWidth = width;
}

void Canvas::text(Tenths x, Tenths y, const QString &text)
{
    const Tenths width = static_cast<Tenths>(std::ceil(textWidth(m_font, text)));
    Tenths left = x;
    if (m_align == Align::Right)
        left = x - width;
    else if (m_align == Align::Center)
        left = x - width / 2;
    Item item;
    item.kind = Item::Kind::Text;
    item.rect = QRect(left, y, width, lineHeight(m_font));
    item.text = text;
    item.font = m_font;
    item.align = m_align;
    item.color = m_color;
    m_page.items.append(item);
}

void Canvas::line(Tenths x1, Tenths y1, Tenths x2, Tenths y2)
{
    Item item;
    item.kind = Item::Kind::Line;
    item.rect = QRect(x1, y1, x2 - x1, y2 - y1);
    item.color = m_penColor;
    item.penWidth = m_penWidth;
    m_page.items.append(item);
}

void Canvas::rect(const QRect &rect)
{
    Item item;
    item.kind = Item::Kind::Rect;
    item.rect = rect;
    item.color = m_penColor;
    item.penWidth = m_penWidth;
    m_page.items.append(item);
}

void Canvas::image(const QRect &rect, const QImage &image)
{
    Item item;
    item.kind = Item::Kind::Image;
    item.rect = rect;
    item.image = image;
    m_page.items.append(item);
}

} // namespace reports
