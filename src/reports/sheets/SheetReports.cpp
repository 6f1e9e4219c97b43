#include "reports/sheets/SheetReports.h"

#include "reports/sheets/AtaSheet.h"

namespace reports {

QList<ReportEntry> sheetReports()
{
    return {ataEntry()};
}

} // namespace reports
