// The Lumesco program: start-up, then the main window until it closes.

#include "app/ModuleServices.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/forms/MaintenanceCommands.h"
#include "app/forms/ReportCommands.h"
#include "app/forms/SessionCommands.h"
#include "app/forms/TfrmMain.h"
#include "app/forms/WidgetDialogs.h"
#include "backup/forms/BackupCommands.h"
#include "billing/forms/BillingCommands.h"
#include "cashbook/forms/CashBookCommands.h"
#include "core/Diagnostics.h"
#include "core/Dialogs.h"
#include "core/ProgramFolder.h"
#include "data/bulk/BulkRun.h"
#include "data/modules/TDataModule1.h"
#include "data/modules/TdmTarnel.h"
#include "students/forms/StudentCommands.h"
#include "grades/forms/GradeCommands.h"
#include "export/forms/TfrmGerarArquivo.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QScreen>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumesco"));
    QApplication::setOrganizationName(QStringLiteral("Lumesco"));
    core::installDiagnosticLog();
    // Qt's own buttons and dialogs (file, print, input) in Portuguese, like the rest of the program.
    QTranslator qtTranslation;
    if (qtTranslation.load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                           QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslation);
    core::setDialogs(std::make_unique<app::WidgetDialogs>());

    // The working directory is the program directory; an installed program moves to the user's
    // folder (or the one named by --program-dir or LUMESCO_PROGRAM_DIR) before anything reads it.
    const QStringList arguments = QApplication::arguments();
    const qsizetype named = arguments.indexOf(QStringLiteral("--program-dir"));
    const QString folderError = core::enterProgramDirectory(
        QApplication::applicationDirPath(),
        named > 0 && named + 1 < arguments.size() ? arguments.at(named + 1) : QString());
    if (!folderError.isEmpty()) {
        core::showError(folderError);
        return 1;
    }

    app::SingleInstance instance(app::SingleInstance::defaultLockDirectory());
    if (!instance.tryAcquire()) {
        core::inform(app::alreadyRunningMessage(), app::applicationTitle());
        return 0;
    }

    try {
        app::runStartup();
    } catch (const app::StartupError &e) {
        core::showError(e.message());
        return 1;
    }

    // In this order; none of them opens a table before log-on.
    app::TfrmMain mainWindow;
    data::TDataModule1 academic;
    data::TdmTarnel cashBook;
    // Long runs hold the network refresh while they write.
    data::BulkRun::setRefreshHold([&academic](bool hold) {
        hold ? academic.pauseRefresh() : academic.resumeRefresh();
    });

    // Each subsystem plugs its commands into the window with one installer.
    app::ModuleServices services{&mainWindow, &academic, &cashBook};
    app::SessionCommands session(mainWindow, services);
    services.logOff = [&session] { session.toggle().logOff(); };
    app::installMaintenanceCommands(mainWindow, services);
    app::installReportCommands(mainWindow, services);
    backup::installCommands(mainWindow, services);
    billing::installCommands(mainWindow, services);
    cashbook::installCommands(mainWindow, services);
    students::installCommands(mainWindow, services);
    grades::installCommands(mainWindow, services);
    exporting::installAtaDialogs();

    // Full size even where no window manager maximises (a bare X server, Xvfb).
    mainWindow.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    mainWindow.showMaximized();
    return QApplication::exec();
}
