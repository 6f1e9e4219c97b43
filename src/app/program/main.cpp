// The Lumesco program: start-up, then the main window until it closes.

#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/forms/TfrmMain.h"
#include "app/forms/WidgetDialogs.h"
#include "app/program/ProgramAssembly.h"
#include "core/Diagnostics.h"
#include "core/Dialogs.h"
#include "core/ProgramFolder.h"

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

    const std::unique_ptr<app::ProgramAssembly> program = app::assembleProgram();
    app::TfrmMain &mainWindow = program->window();

    // Full size even where no window manager maximises (a bare X server, Xvfb).
    mainWindow.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    mainWindow.showMaximized();
    return QApplication::exec();
}
