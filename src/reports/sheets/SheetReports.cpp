#include "reports/sheets/SheetReports.h"

#include "reports/sheets/AtaSheet.h"
#include "reports/sheets/GeneralSheet.h"
#include "reports/sheets/ResultSheet.h"

namespace reports {

QList<ReportEntry> sheetReports()
{
    return {ataEntry(), resultEntry(), generalEntry(), facesEntry()};
}

} // namespace reports
