#include "core/Diagnostics.h"

#include <QStandardPaths>

namespace core {

Q_LOGGING_CATEGORY(lcStore, "lumesco.store")
Q_LOGGING_CATEGORY(lcRules, "lumesco.rules")
Q_LOGGING_CATEGORY(lcLogOn, "lumesco.logon")
Q_LOGGING_CATEGORY(lcSettings, "lumesco.settings")
Q_LOGGING_CATEGORY(lcMaintenance, "lumesco.maintenance")
Q_LOGGING_CATEGORY(lcRuns, "lumesco.runs")
Q_LOGGING_CATEGORY(lcReports, "lumesco.reports")
Q_LOGGING_CATEGORY(lcBilling, "lumesco.billing")

QString diagnosticLogPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
           + QStringLiteral("/lumesco.log");
}

void installDiagnosticLog()
{
    // The file handler comes with the log's own change; until then messages go to stderr.
}

} // namespace core
