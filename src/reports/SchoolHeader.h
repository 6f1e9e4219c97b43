#pragma once

#include "reports/engine/Report.h"

#include <QImage>
#include <QString>

// The pieces every report of the school shares: the logo, the school's heading, the standard
// page header of the lists and the footer line.
namespace reports {

// Who the school is, as the headings print it (from the school settings).
struct SchoolInfo
{
    QString name;
    QString address;
    QString city;
    QString state;
    QString telephone;
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

// The footer line: a rule, the program's title at the left and the maker's line at the right.
void addFooterLine(Report &report);

inline const QString kProgramTitle = QStringLiteral("Lumesco v 2010.01.21");
inline const QString kMakerLine =
    QStringLiteral("Lumesco - Sistema de Administração Escolar - desenvolvido pela equipe Lumesco");

} // namespace reports
