#include "reports/engine/Style.h"

namespace reports {

Font font(double size, bool bold, bool italic)
{
    Font f;
    f.size = size;
    f.bold = bold;
    f.italic = italic;
    return f;
}

} // namespace reports
