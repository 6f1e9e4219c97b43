#pragma once

#include "billing/reports/BillingReportPage.h"
#include "billing/reports/ChargeLines.h"
#include "reports/engine/Document.h"

#include <functional>

// The charge rows of the treasury's reports grouped by class and by student: a line per charge,
// a "SubTotal:" line per student with the sums of the amount columns, and per class a total and
// the number of students; optionally a grand total and a footnote at the end.
namespace billing {

struct LineColumn
{
    ReportColumn column;
    std::function<QString(const ChargeLine &)> text;
    // The amount summed into the student's "SubTotal:"; none for other columns.
    std::function<core::Money(const ChargeLine &)> amount;
};

struct ClassGroupedLayout
{
    QString title;
    QString subtitle;
    QList<LineColumn> columns;
    QString classTotalCaption;                            // "Valor Total Devido (nesta turma) :"
    std::function<core::Money(const ChargeLine &)> total; // what that total sums
    QString grandTotalCaption;                            // empty: none
    QString footnote;                                     // empty: none
};

reports::Document classGroupedReport(const QList<ChargeLine> &lines, const ClassGroupedLayout &layout,
                                     const reports::SchoolInfo &school);

} // namespace billing
