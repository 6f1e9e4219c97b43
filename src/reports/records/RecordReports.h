#pragma once

#include "reports/ReportRegistry.h"

// The secretary's records and lists of students: the individual record, the record forms of
// students and staff, the class lists and the list of fee discounts.
namespace reports {

QList<ReportEntry> recordReports();

} // namespace reports
