#include "app/ProgramReports.h"

#include "billing/reports/BillingReports.h"
#include "billing/slips/SlipReports.h"
#include "cashbook/CashReports.h"
#include "reports/TableListings.h"
#include "reports/cards/ReportCards.h"
#include "reports/letters/LetterReports.h"
#include "reports/records/RecordReports.h"
#include "reports/sheets/SheetReports.h"

namespace app {

const reports::ReportRegistry &programReports()
{
    static const reports::ReportRegistry registry = [] {
        reports::ReportRegistry r;
        r.add(reports::tableListingReports());
        r.add(cashbook::cashReportEntries());
        r.add(reports::academicReports());
        r.add(reports::sheetReports());
        r.add(reports::letterReports());
        r.add(reports::recordReports());
        r.add(billing::billingReports());
        r.add(billing::slipReportEntry());
        return r;
    }();
    return registry;
}

} // namespace app
