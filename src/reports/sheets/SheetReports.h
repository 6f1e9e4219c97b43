#pragma once

#include "reports/ReportRegistry.h"

// The class-level sheets of marks: the minutes of final results, for now.
namespace reports {

QList<ReportEntry> sheetReports();

} // namespace reports
