// The installers through which the program's parts plug their commands into the main window.

#include "ModalHelper.h"

#include "app/CommandHost.h"
#include "app/ModuleServices.h"
#include "app/ProgramReports.h"
#include "app/forms/MaintenanceCommands.h"
#include "app/forms/ReportCommands.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Database.h"
#include "reports/engine/forms/PreviewWindow.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QDir>
#include <QHash>
#include <QTest>

namespace {

// Keeps what each installer plugged in, by entry name.
class RecordingHost : public app::CommandHost
{
public:
    void setCommand(const QString &objectName, std::function<void()> command) override
    {
        commands.insert(objectName, std::move(command));
    }
    void setMenuForm(const QString &objectName, app::ModuleLauncher::OpenForm openForm) override
    {
        forms.insert(objectName, std::move(openForm));
    }
    void setModuleForm(app::Module, app::ModuleLauncher::OpenForm) override {}

    void run(const QString &objectName)
    {
        app::ModuleLauncher launcher(QDir::currentPath(), {[](bool) {}, [](bool) {}});
        launcher.runCommand(forms.value(objectName));
    }

    QHash<QString, std::function<void()>> commands;
    QHash<QString, app::ModuleLauncher::OpenForm> forms;
};

} // namespace

class ModuleCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void everyReportAndTheIntegrityCheckHaveTheirEntry()
    {
        RecordingHost host;
        const app::ModuleServices services;
        app::installReportCommands(host, services);
        app::installMaintenanceCommands(host, services);
        QSet<QString> expected{QStringLiteral("mnuVerificarBanco")};
        for (const reports::ReportEntry &entry : app::programReports().entries()) {
            if (!entry.menuEntry.isEmpty()) // the others print from their module's window
                expected.insert(entry.menuEntry);
        }
        QCOMPARE(QSet<QString>(host.forms.keyBegin(), host.forms.keyEnd()), expected);
        QVERIFY(host.commands.isEmpty());
    }

    void aReportReadsTheSchoolYearOpenWhenItRuns()
    {
        ScriptedDialogs::Guard dialogs;
        RecordingHost host;
        app::installReportCommands(host, app::ModuleServices{});

        // Before a log-on there is no school year: the store's message, no preview.
        host.run(QStringLiteral("mnuDisciplinas"));
        QCOMPARE(dialogs->shown().size(), 1);
        QCOMPARE(dialogs->last().caption, QStringLiteral("Erro"));

        TempDir dir;
        const data::Database db = data::createSchoolYear(testengine::yearLocation(dir.file(QStringLiteral("Data2026"))),
                                                         QStringLiteral("2026"));
        data::Database::defineName(QStringLiteral("Quorvel"), db.directory());
        QString caption;
        whenModal<reports::PreviewWindow>([&caption](reports::PreviewWindow *preview) {
            caption = preview->windowTitle();
            preview->accept();
        });
        host.run(QStringLiteral("mnuDisciplinas"));
        QCOMPARE(caption, QStringLiteral("TABELA DE DISCIPLINAS"));
        QCOMPARE(dialogs->shown().size(), 1);
    }
    void cleanup()
    {
        data::Database::closeAll();
        testengine::dropServerYears();
    }
};

QTEST_MAIN(ModuleCommandsTest)
#include "ModuleCommandsTest.moc"
