#include "core/Diagnostics.h"

#include "core/DiagnosticLogFile.h"

#include <QCoreApplication>
#include <QMutex>
#include <QStandardPaths>
#include <memory>

namespace core {

Q_LOGGING_CATEGORY(lcStore, "lumesco.store")
Q_LOGGING_CATEGORY(lcRules, "lumesco.rules")
Q_LOGGING_CATEGORY(lcLogOn, "lumesco.logon")
Q_LOGGING_CATEGORY(lcSettings, "lumesco.settings")
Q_LOGGING_CATEGORY(lcMaintenance, "lumesco.maintenance")
Q_LOGGING_CATEGORY(lcRuns, "lumesco.runs")
Q_LOGGING_CATEGORY(lcReports, "lumesco.reports")
Q_LOGGING_CATEGORY(lcBilling, "lumesco.billing")

namespace {

struct InstalledLog
{
    std::unique_ptr<DiagnosticLogFile> file;
    QtMessageHandler console = nullptr;
    QMutex mutex;
};

InstalledLog &installed()
{
    static InstalledLog log;
    return log;
}

void writeMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    // A message raised while writing one (a file warning) goes to the console, not round again.
    thread_local bool writing = false;
    InstalledLog &log = installed();
    bool written = false;
    if (!writing) {
        writing = true;
        const QMutexLocker lock(&log.mutex);
        written = log.file->append(type, context.category, text);
        writing = false;
    }
    if ((!written || type == QtFatalMsg) && log.console)
        log.console(type, context, text);
}

} // namespace

QString diagnosticLogPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/lumesco.log");
}

void installDiagnosticLog()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Lumesco"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumesco"));
    QLoggingCategory::setFilterRules(QStringLiteral("lumesco.*.debug=false"));
    InstalledLog &log = installed();
    const QMutexLocker lock(&log.mutex);
    log.file = std::make_unique<DiagnosticLogFile>(diagnosticLogPath());
    const QtMessageHandler previous = qInstallMessageHandler(writeMessage);
    if (previous != writeMessage)
        log.console = previous;
}

} // namespace core
