#include "reports/sheets/SheetReports.h"

#include "reports/sheets/AtaSheet.h"
#include "reports/sheets/GeneralSheet.h"
#include "reports/sheets/ResultSheet.h"
#include "reports/sheets/SubjectSheet.h"
#include "reports/sheets/UnitSheet.h"

namespace reports {

QList<ReportEntry> sheetReports()
{
    return {ataEntry(), resultEntry(), generalEntry(), facesEntry(), subjectEntry(), unitSheetEntry()};
}

} // namespace reports
