#pragma once

#include "reports/ReportRegistry.h"

// The class-level sheets of marks: the minutes of final results and the outcome lists.
namespace reports {

QList<ReportEntry> sheetReports();

} // namespace reports
