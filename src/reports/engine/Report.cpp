#include "reports/engine/Report.h"

namespace reports {

Element &Element::named(const QString &elementName)
{
    name = elementName;
    return *this;
}

Element &Element::aligned(Align alignment)
{
    align = alignment;
    return *this;
}

Element &Element::withFont(const Font &elementFont)
{
    font = elementFont;
    return *this;
}

Element &Element::sized(double points)
{
    font.size = points;
    return *this;
}

Element &Element::bold(bool on)
{
    font.bold = on;
    return *this;
}

Element &Element::italic(bool on)
{
    font.italic = on;
    return *this;
}

Element &Element::colored(const QColor &textColor)
{
    color = textColor;
    return *this;
}

Element &Element::masked(const QString &displayMask)
{
    mask = displayMask;
    return *this;
}

Element &Element::resetEach(Scope resetScope)
{
    scope = resetScope;
    return *this;
}

Element &Element::pen(const QColor &colour, Tenths width)
{
    penColor = colour;
    penWidth = width;
    return *this;
}

Element &Element::filled(const QColor &colour)
{
    fill = colour;
    return *this;
}

Element &Element::fallback(const QImage &image)
{
    fallbackImage = image;
    return *this;
}

Element &Element::growing(bool on)
{
    stretch = on;
    return *this;
}

Element &Element::onPrint(ElementHandler handler)
{
    beforePrint = std::move(handler);
    return *this;
}

Element &Band::add(ElementKind kind, const QRect &rect)
{
    Element &element = m_elements.emplace_back();
    element.kind = kind;
    element.rect = rect;
    return element;
}

Element &Band::label(const QString &text, const QRect &rect)
{
    Element &element = add(ElementKind::Label, rect);
    element.text = text;
    return element;
}

Element &Band::field(const QString &fieldName, const QRect &rect, const QString &mask)
{
    Element &element = add(ElementKind::Field, rect);
    element.field = fieldName;
    element.mask = mask;
    return element;
}

Element &Band::system(SystemData data, const QRect &rect, const QString &prefix)
{
    Element &element = add(ElementKind::System, rect);
    element.system = data;
    element.text = prefix;
    return element;
}

Element &Band::line(const QRect &rect)
{
    return add(ElementKind::Line, rect);
}

Element &Band::frame(const QRect &rect)
{
    return add(ElementKind::Frame, rect);
}

Element &Band::image(const QString &file, const QRect &rect)
{
    Element &element = add(ElementKind::Image, rect);
    element.imageFile = file;
    return element;
}

Element &Band::memo(const QString &fieldName, const QRect &rect)
{
    Element &element = add(ElementKind::Memo, rect);
    element.field = fieldName;
    return element;
}

Element &Band::sum(const QString &fieldName, const QRect &rect, const QString &mask, Scope reset)
{
    Element &element = add(ElementKind::Sum, rect);
    element.field = fieldName;
    element.mask = mask;
    element.scope = reset;
    return element;
}

Element *Band::find(const QString &name)
{
    for (Element &element : m_elements) {
        if (element.name == name)
            return &element;
    }
    return nullptr;
}

Group &Report::addGroup(const QString &field, bool newPage)
{
    Group &group = m_groups.emplace_back(field);
    group.newPage = newPage;
    return group;
}

namespace {

QPageSize &defaultPaperSetting()
{
    static QPageSize pageSize(QPageSize::A4);
    return pageSize;
}

} // namespace

QPageSize defaultPaper()
{
    return defaultPaperSetting();
}

void setDefaultPaper(const QPageSize &pageSize)
{
    if (pageSize.isValid())
        defaultPaperSetting() = pageSize;
}

QPageSize PageSetup::pageSize() const
{
    return paper == Paper::A4 ? QPageSize(QPageSize::A4) : defaultPaper();
}

QSize PageSetup::size() const
{
    const QSizeF mm = pageSize().size(QPageSize::Millimeter);
    QSize tenths(qRound(mm.width() * 10), qRound(mm.height() * 10));
    if (orientation == QPageLayout::Landscape)
        tenths.transpose();
    return tenths;
}

Tenths PageSetup::contentWidth() const
{
    return size().width() - margins.left() - margins.right();
}

} // namespace reports
