#pragma once

#include "billing/reports/ChargeLines.h"
#include "core/SemicolonExport.h"

// The rows of the treasury's reports as the semicolon files for spreadsheets take them: the
// fields the report read, in upper case, with their display texts.
namespace billing {

// Defaulters: the charge's fields, then the computed CACRESCIMOS and CVALORFINAL.
core::SemicolonTable defaulterTable(const QList<ChargeLine> &lines, const QString &title);
// Payments: the charge's fields, then CVALORFINAL (what was owed: value - discounts + additions).
core::SemicolonTable paymentTable(const QList<ChargeLine> &lines, const QString &title);
core::SemicolonTable revenueTable(const QList<RevenueLine> &lines, bool perClass);

// Writes the table into the working directory and opens it; throws StoreError when it can't.
void exportToWorkingDirectory(const QString &fileName, const core::SemicolonTable &table);

} // namespace billing
