#pragma once

#include "reports/engine/Style.h"

#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QRect>
#include <QString>

// A laid-out report: pages of positioned items in tenths of a millimetre from the paper's
// top-left corner. The painter draws it; tests and the command line read its dump.
namespace reports {

struct Item
{
    enum class Kind { Text, Line, Rect, Image };

    Kind kind = Kind::Text;
    // x, y, width and height; a line runs from (x, y) to (x + width, y + height).
    QRect rect;
    QString text; // text items; for images, the file they came from ("" for the fallback)
    Font font;
    Align align = Align::Left; // of the text inside the rectangle (top-aligned, one line)
    QColor color = Qt::black;  // text, or the pen of lines and rectangles
    Tenths penWidth = 2;
    QColor fill; // rectangles; invalid means not filled
    QImage image;
};

struct Page
{
    QList<Item> items;
};

struct Document
{
    QString title;
    QPageSize pageSize{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QSize size{2100, 2970}; // tenths, turned for landscape
    QList<Page> pages;

    int pageCount() const { return pages.size(); }
    // One line per item: page, x, y, a description of the item's kind and style, its text.
    // Texts of the same page follow the order in which they were laid out.
    QString dump() const;
    QStringList dumpLines() const;
    // Just the texts of a page, in order (tests).
    QStringList texts(int pageIndex) const;
};

} // namespace reports
