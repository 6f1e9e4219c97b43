#pragma once

#include "billing/reports/ChargeLines.h"
#include "reports/SchoolHeader.h"
#include "reports/engine/Document.h"

// "RECEITA PREVISTA X REALIZADA": forecast and realised revenue per student (or per class) and
// kind, with the totals of each class and of the whole school.
namespace billing {

// "RECEITA PREVISTA X REALIZADA - Até o mês: MARÇO"
QString revenueTitle(const BillingChoice &choice);

reports::Document revenueReport(const QList<RevenueLine> &lines, const BillingChoice &choice, bool perClass,
                                const reports::SchoolInfo &school);

} // namespace billing
