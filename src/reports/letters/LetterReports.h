#pragma once

#include "reports/ReportRegistry.h"

// The secretary's labels, birthday lists, declarations and notices to families.
namespace reports {

QList<ReportEntry> letterReports();

} // namespace reports
