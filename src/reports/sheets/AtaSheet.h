#pragma once

#include "reports/ReportRegistry.h"
#include "reports/sheets/AtaOptions.h"

// "Ata de Resultados Finais (p/ Sec.Educação)": the minutes of final results of the chosen
// classes, one line per student with the final average of every subject marked for the minutes
// and the result, drawn at fixed positions (tenths of a millimetre) on landscape A4.
namespace reports {

// Where the grid of the minutes is drawn.
struct AtaGeometry
{
    static constexpr Tenths headingsY = 500;
    static constexpr Tenths workloadY = 555;
    static constexpr Tenths firstRowY = 640;
    static constexpr Tenths rowPitch = 79;
    static constexpr Tenths headingX = 1200;  // subject heading k at headingX + pitch * k
    static constexpr Tenths markRight = 1330; // mark k ends at markRight + pitch * k
    static constexpr Tenths resultX = 1300;   // "RESULTADO" at resultX + pitch * n
    static constexpr Tenths numberRight = 100;
    static constexpr Tenths nameX = 130;
    static constexpr Tenths pitch = 200;
    static constexpr Tenths resultWidth = 300; // room kept for the result text

    // The column pitch for `subjects` columns: 200 while they fit the page's width, else
    // narrowed so that the result column still ends inside the margin.
    static Tenths pitchFor(qsizetype subjects, Tenths pageRight);
};

// Throws StoreError when the rows cannot be read.
Document ataSheet(const data::Database &db, const SchoolInfo &school, const AtaOptions &options);

// "ata", menu "Ata de Resultados Finais (p/ Sec.Educação)", asked again after each preview.
ReportEntry ataEntry();

} // namespace reports
