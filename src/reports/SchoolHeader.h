#pragma once

#include "reports/engine/Report.h"

#include <QImage>
#include <QString>

namespace data {
struct Settings;
}

// The pieces every report of the school shares: the logo, the school's heading, the standard
// page header of the lists and the footer line.
namespace reports {

// Who the school is, as the headings print it, and the footer line, from the school settings.
struct SchoolInfo
{
    QString name;
    QString address;
    QString city;
    QString state;
    QString telephone;
    QString footer; // the program's title, a line break, the line crediting the maker

    static SchoolInfo fromSettings(const data::Settings &settings);
};

// Read from the working directory each time a report is laid out.
inline const QString kLogoFile = QStringLiteral("logo.bmp");

// The picture printed when "logo.bmp" cannot be loaded: the main window's logo once the program
// has handed it over, else a plain built-in emblem.
QImage fallbackLogo();
void setFallbackLogo(const QImage &logo);

// The logo element, loaded from "logo.bmp" with the fallback.
Element &addLogo(Band &band, const QRect &rect);

// Logo at the left; beside it the school's name and three small lines: address, city + " - " +
// state, "Telefone: " + telephone. Returns the height it takes.
Tenths addSchoolHeading(Band &band, const SchoolInfo &school, Tenths top = 0);

// The page header of the table listings: logo, title, date and time, page number and a rule.
void addListingHeader(Report &report, const QString &title);

// The footer line: a rule, the footer's first line (the program's title) at the left and the
// rest (the maker's line) at the right.
void addFooterLine(Report &report, const QString &footer);

} // namespace reports
