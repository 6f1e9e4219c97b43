#pragma once

#include "reports/ReportRegistry.h"

#include <functional>

class QWidget;

namespace reports {

// A report's own options dialog, for a report whose screen is more than a list of
// parameters: fills `values` and returns false when the person cancels.
using ReportDialog = std::function<bool(const ReportEntry &entry, ReportValues &values,
                                        const data::Database &db, QWidget *parent)>;

// Gives the report `reportName` its own dialog in place of ReportOptionsDialog; a subsystem
// does it in its installCommands().
void setReportDialog(const QString &reportName, ReportDialog dialog);

// What a report's menu entry does: runs the entry's preparation once (under a progress window),
// asks its parameters (its own dialog, else
// ReportOptionsDialog when it has any), lays it out from `db` with the school of the loaded
// settings under the hourglass, and shows the preview; with askAgain the dialog comes back
// after each preview until it is cancelled. A store failure is shown with the store's message.
void runReport(const ReportEntry &entry, const data::Database &db, QWidget *parent);

} // namespace reports
