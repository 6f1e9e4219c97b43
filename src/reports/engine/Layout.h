#pragma once

#include "reports/engine/DataSource.h"
#include "reports/engine/Document.h"
#include "reports/engine/Report.h"

namespace reports {

// Lays the report out over every row of the data source, from its first row, into pages.
//
// Order on a page: the page-start hook, the page header, the page-heading hook, the title (first
// page only), then group headers, details (each followed by the after-detail hook), group
// footers and, at the end, the summary; the page footer sits at the bottom of every page.
// A band that does not fit above the page footer moves to the next page. Handlers run once for
// every band and element that prints. Sums add up every row, printed or not, each value rounded
// as the sum's mask prints it, so a printed total equals the sum of the printed cells; detail
// numbers count the detail bands that printed.
Document layout(const Report &report, DataSource &data);

} // namespace reports
