#pragma once

#include "reports/engine/Document.h"
#include "reports/engine/Report.h"

// The drawing surface handed to the canvas hooks: like a printer's canvas, it keeps a current
// font, colour, alignment and pen, and writes at positions in tenths of a millimetre from the
// paper's top-left corner.
namespace reports {

class Canvas
{
public:
    Canvas(Page &page, const PrintContext &context, Tenths cursorY);

    Font &font() { return m_font; }
    void setFont(const Font &font) { m_font = font; }
    void setColor(const QColor &color) { m_color = color; }
    // Left: the text starts at x; Right: it ends at x; Center: it is centred on x.
    void setAlign(Align align) { m_align = align; }
    void setPen(const QColor &color, Tenths width);

    // y is the top of the text.
    void text(Tenths x, Tenths y, const QString &text);
    void line(Tenths x1, Tenths y1, Tenths x2, Tenths y2);
    void rect(const QRect &rect);
    // A picture made for this row (a barcode), stretched to the rectangle.
    void image(const QRect &rect, const QImage &image);

    const PrintContext &context() const { return m_context; }
    int pageNumber() const { return m_context.pageNumber; }
    QVariant value(const QString &field) const { return m_context.value(field); }
    // Where the next band would start on this page.
    Tenths cursorY() const { return m_cursorY; }

private:
    Page &m_page;
    const PrintContext &m_context;
    Tenths m_cursorY;
    Font m_font;
    QColor m_color = Qt::black;
    Align m_align = Align::Left;
    QColor m_penColor = Qt::black;
    Tenths m_penWidth = 2;
};

} // namespace reports
