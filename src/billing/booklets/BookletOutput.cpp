#include "billing/booklets/BookletOutput.h"

#include <QFontMetricsF>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintDevice>
#include <QPdfWriter>
#include <QPainter>

namespace billing {

QFont bookletFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    return font;
}

void drawBookletTexts(QPainter &painter, const QList<BookletText> &texts, double dotsPerMmX, double dotsPerMmY)
{
    const QFont upright = bookletFont();
    QFont italic = upright;
    italic.setItalic(true);
    for (const BookletText &t : texts) {
        if (t.text.isEmpty())
            continue;
        const QFont &font = t.italic ? italic : upright;
        painter.setFont(font);
        const QFontMetricsF metrics(font, painter.device());
        double x = t.xMm * dotsPerMmX;
        if (t.rightEdge)
            x -= metrics.horizontalAdvance(t.text);
        // The form's position is the top of the text; the painter writes on the baseline.
        painter.drawText(QPointF(x, t.yMm * dotsPerMmY + metrics.ascent()), t.text);
    }
}

PaintedBooklet::PaintedBooklet(QPaintDevice &device, std::function<bool()> newPage, std::function<void()> abort)
    : m_device(device), m_newPage(std::move(newPage)), m_abort(std::move(abort))
{
}

PaintedBooklet::~PaintedBooklet()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
}

bool PaintedBooklet::begin()
{
    // The device's resolution, not its size in whole millimetres, so no rounding of the
    // page width shifts the items across the sheet.
    m_dotsPerMmX = m_device.logicalDpiX() / 25.4;
    m_dotsPerMmY = m_device.logicalDpiY() / 25.4;
    m_painter = std::make_unique<QPainter>();
    return m_painter->begin(&m_device);
}

bool PaintedBooklet::newSheet()
{
    return m_newPage ? m_newPage() : true;
}

bool PaintedBooklet::draw(const QList<BookletText> &texts)
{
    if (!m_painter || !m_painter->isActive())
        return false;
    drawBookletTexts(*m_painter, texts, m_dotsPerMmX, m_dotsPerMmY);
    return true;
}

bool PaintedBooklet::end()
{
    return m_painter && m_painter->end();
}

void PaintedBooklet::abort()
{
    if (m_abort)
        m_abort();
    if (m_painter && m_painter->isActive())
        m_painter->end();
}

PdfBooklet::PdfBooklet(const QString &path) : m_path(path) {}

PdfBooklet::~PdfBooklet() = default;

bool PdfBooklet::begin()
{
    m_writer = std::make_unique<QPdfWriter>(m_path);
    m_writer->setResolution(600);
    m_writer->setCreator(QStringLiteral("Lumesco"));
    m_writer->setTitle(QStringLiteral("Carnês"));
    const QPageSize form(QSizeF(kBookletPaperWidthMm, kBookletPaperHeightMm), QPageSize::Millimeter,
                         QStringLiteral("Carnê 180 x 203 mm"), QPageSize::ExactMatch);
    m_writer->setPageLayout(QPageLayout(form, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    QPdfWriter *writer = m_writer.get();
    m_painted = std::make_unique<PaintedBooklet>(*writer, [writer] { return writer->newPage(); });
    return m_painted->begin();
}

bool PdfBooklet::newSheet()
{
    return m_painted && m_painted->newSheet();
}

bool PdfBooklet::draw(const QList<BookletText> &texts)
{
    return m_painted && m_painted->draw(texts);
}

bool PdfBooklet::end()
{
    const bool ended = m_painted && m_painted->end();
    m_painted.reset();
    m_writer.reset();
    return ended && QFile::exists(m_path);
}

void PdfBooklet::abort()
{
    if (m_painted)
        m_painted->abort();
    m_painted.reset();
    m_writer.reset();
    QFile::remove(m_path);
}

} // namespace billing
