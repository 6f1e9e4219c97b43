#pragma once

#include "core/RunReporter.h"
#include "data/store/Database.h"

#include <QString>
#include <QStringList>

// The two annual spreadsheets of the "Mensalidades" menu: every charge's forecast against what
// was paid, month by month, and the monthly fees with the day each was paid. Each is built
// through a working table of the school year, dropped and created again on every run.
namespace billing {

enum class AnnualSheet
{
    Payments,    // every charge; offered to the Supervisor only
    MonthlyFees, // the monthly fees alone
};

QString annualSheetFileName(AnnualSheet sheet);
QString annualSheetTable(AnnualSheet sheet); // "RelatPagamentos", "RelatMensalidades"
inline const QString kSpreadsheetDoneMessage = QStringLiteral("Arquivo exportado com sucesso!");

// The file's lines from the working table as it stands.
QStringList annualSheetLines(const data::Database &db, AnnualSheet sheet);

// Drops and fills the working table, writes the file into `directory` and, when all went well,
// notes kSpreadsheetDoneMessage. `path` receives the file written. A failed step is noted with
// its message and ends the run (but a drop that fails is only a warning).
core::RunOutcome writeAnnualSheet(const data::Database &db, AnnualSheet sheet, const QString &directory,
                                  core::RunReporter &reporter, QString *path = nullptr);

} // namespace billing
