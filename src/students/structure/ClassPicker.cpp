#include "students/structure/ClassPicker.h"

#include "core/Formats.h"

namespace students {

QStringList monthNames()
{
    QStringList names;
    for (int month = 1; month <= 12; ++month)
        names += core::monthName(month, core::LetterCase::Upper);
    return names;
}

} // namespace students
