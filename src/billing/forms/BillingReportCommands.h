#pragma once

namespace app {
class CommandHost;
struct ModuleServices;
} // namespace app

namespace reports {
struct ReportEntry;
class ReportValues;
} // namespace reports

namespace data {
class Database;
}

class QWidget;

namespace billing {

// The dialog of one of those reports: the class chooser with the parts its parameters ask for,
// filled from `values` and written back to them on OK; false when cancelled.
bool askBillingChoice(const reports::ReportEntry &entry, reports::ReportValues &values, const data::Database &db,
                      QWidget *parent);

// The treasury's reports ask their choices with the class chooser "Defina a Turma " and the
// parts each report needs; the two annual spreadsheets run from their menu entries.
void installBillingReportCommands(app::CommandHost &host, const app::ModuleServices &services);

} // namespace billing
