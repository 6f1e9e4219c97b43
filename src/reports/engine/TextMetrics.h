#pragma once

#include "reports/engine/Style.h"

#include <QFont>
#include <QStringList>

// Text measured the same way on every machine and for every device: at a fixed 254 dots per
// inch, so one dot is a tenth of a millimetre, without hinting. Layout uses it; the painter
// draws with the same fonts.
namespace reports {

// Dots per inch at which a dot is a tenth of a millimetre.
inline constexpr double kLayoutDotsPerInch = 254.0;

// The Qt font for a report font, its size multiplied by `scale` (a zoomed preview); "Arial"
// falls back to Liberation Sans (same metrics).
QFont qtFont(const Font &font, double scale = 1.0);

double textWidth(const Font &font, const QString &text);
Tenths lineHeight(const Font &font);

// Breaks text into lines no wider than `width`, at blanks where it can, inside long words
// where it must; line breaks in the text ("\n", "\r\n" or "\r") are kept.
QStringList wrapText(const Font &font, const QString &text, Tenths width);

} // namespace reports
