#pragma once

#include <QString>

namespace app {

// What the about box shows of the school; filled from the settings once they are loaded.
struct AboutInfo
{
    QString schoolName;
    QString address;
    QString city;
    QString state;
    QString cgc;
    QString schoolYear;
};

// The maker's line on the status bar and in the about box.
QString creditLine();

} // namespace app
