#include "reports/letters/LetterReports.h"

#include "reports/letters/AddressLabels.h"
#include "reports/letters/BirthdayLists.h"
#include "reports/letters/DefaultNotice.h"
#include "reports/letters/TaxDeclaration.h"

namespace reports {

QList<ReportEntry> letterReports()
{
    return labelEntries() + birthdayEntries() + QList<ReportEntry>{taxStatementEntry(), noticeEntry()};
}

} // namespace reports
