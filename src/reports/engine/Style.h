#pragma once

#include <QColor>
#include <QString>

// Every length of the engine is in tenths of a millimetre, the unit the printed sheets are
// measured in; a page of A4 is 2100 x 2970.
namespace reports {

using Tenths = int;

enum class Align { Left, Center, Right };

// A font as a report asks for it; "Arial" is drawn with its metric twin, Liberation Sans.
struct Font
{
    QString family = QStringLiteral("Arial");
    double size = 10; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const Font &other) const = default;
};

Font font(double size, bool bold = false, bool italic = false);

} // namespace reports
