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

// Sends every message (the categories above, and Qt's own) to the log file instead of the
// console; call once, right after the application object exists. Names the application
// "Lumesco" so the program and lumesco-cli share one log. Debug messages of the categories stay
// out unless QT_LOGGING_RULES asks for them. A message the file cannot take goes to the console
// (standard error) as before, so nothing is lost and standard output stays clean.
void installDiagnosticLog();

// "lumesco.log" in the user's local data folder (QStandardPaths::AppLocalDataLocation).
QString diagnosticLogPath();

} // namespace core
