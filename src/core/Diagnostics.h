#pragma once

#include <QLoggingCategory>
#include <QString>

// The program's diagnostic log: failures that no message box reports (a rule's error in quiet
// mode, a refresh that failed, why a log-on was refused) are written here, never dropped.
// Use the categories with qCWarning(core::lcRules) << ...; the log lives in the user's local
// data folder, not in the school's data directory.
namespace core {

Q_DECLARE_LOGGING_CATEGORY(lcStore)
Q_DECLARE_LOGGING_CATEGORY(lcRules)
Q_DECLARE_LOGGING_CATEGORY(lcLogOn)
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
Q_DECLARE_LOGGING_CATEGORY(lcMaintenance)
Q_DECLARE_LOGGING_CATEGORY(lcRuns)
Q_DECLARE_LOGGING_CATEGORY(lcReports)
Q_DECLARE_LOGGING_CATEGORY(lcBilling)

// Sends every category's messages to the log file (appending); call once at start.
void installDiagnosticLog();

// Where the log file is (or would be).
QString diagnosticLogPath();

} // namespace core
