#pragma once

#include <QImage>
#include <QString>

// The slip's barcode: Codabar with start character "A" and stop character "B", no check
// character, narrow elements one pixel and wide ones two, 45 pixels high, drawn at left 10, top 5
// of a white bitmap with the code in bold under the bars.
namespace billing {

// The modules of `text` between the start and stop characters, '1' for a dark module and '0' for
// a light one; every character, the stop one included, is followed by one narrow space. Empty
// when `text` holds a character Codabar cannot carry.
QString codabarModules(const QString &text);

// Dark and light elements, start and stop characters included, as widths ("1111122 1 ...").
// The run lengths of the modules, so tests can compare them with another encoder's.
QList<int> codabarElementWidths(const QString &text);

struct CodabarDrawing
{
    int module = 1;        // pixels of a narrow element
    int naturalWidth = 0;  // modules of the whole symbol
    QImage image;          // null when the text cannot be drawn
};

// The bitmap the slip shows. A requested width rescales the module to requestedWidth / natural
// width in whole pixels, only when that lies between 1 and 49; a slip number of ordinary length
// is wider than 120 modules, so its module stays 1.
CodabarDrawing drawCodabar(const QString &text, int requestedWidth = 120);

inline constexpr int kCodabarLeft = 10;
inline constexpr int kCodabarTop = 5;
inline constexpr int kCodabarHeight = 45;

} // namespace billing
