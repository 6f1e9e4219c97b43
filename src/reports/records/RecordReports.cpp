#include "reports/records/RecordReports.h"

#include "reports/records/ClassLists.h"
#include "reports/records/DiscountList.h"
#include "reports/records/IndividualRecord.h"
#include "reports/records/RecordForms.h"

namespace reports {

QList<ReportEntry> recordReports()
{
    return QList<ReportEntry>{individualRecordEntry()} + recordFormEntries() + classListEntries() +
           QList<ReportEntry>{discountListEntry()};
}

} // namespace reports
