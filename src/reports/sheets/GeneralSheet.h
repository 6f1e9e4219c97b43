#pragma once

#include "reports/ReportRegistry.h"
#include "reports/sheets/AtaOptions.h"

// "Médias - Todas as Disciplinas (p/ Coordenação)": per class, one line per student with the
// chosen unit's mark (or the year's averages) of every subject of the grade and the outcome,
// drawn on the grid of the minutes on landscape A4.
namespace reports {

struct GeneralSelection
{
    QString classCode; // empty: every class
    AtaUnit unit = AtaUnit::Final;
    bool onlyConsolidated = false; // only the subjects marked for the minutes
    bool skipLeavers = true;
};

// Where the general sheet's grid starts; the columns are those of the minutes.
struct GeneralGeometry
{
    static constexpr Tenths headingsY = 400;
    // Under the headings and above the first row: at 555 the workloads would print over it.
    static constexpr Tenths workloadY = 445;
    static constexpr Tenths firstRowY = 495;
};

// class, unit (1..4, geral, final), only-consolidated and keep-leavers.
QList<ReportParam> generalParams();

GeneralSelection generalSelection(const ReportValues &values);

// Throws StoreError when the rows cannot be read.
Document generalSheet(const data::Database &db, const SchoolInfo &school, const GeneralSelection &selection);

// "medias-geral", menu "Médias - Todas as Disciplinas (p/ Coordenação)", printed once.
ReportEntry generalEntry();

} // namespace reports
