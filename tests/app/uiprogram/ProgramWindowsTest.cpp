// The whole program on a demo school, as the office goes through it after the log-on: each
// module button opens its window on the year's rows, every tab of it draws, a report opens in
// the preview, and no error is shown on the way. The same run goes over a year on the server.
//
// With LUMESCO_SCREENSHOTS=DIR each window and tab is saved there as a PNG, drawn by the
// program itself (under xvfb-run, with the X server's fonts):
//   LUMESCO_SCREENSHOTS=/tmp/telas xvfb-run -a build/test/tests/app/test_app_ProgramWindowsTest -platform xcb

#include "app/ModuleServices.h"
#include "app/Startup.h"
#include "app/forms/MaintenanceCommands.h"
#include "app/forms/ReportCommands.h"
#include "app/forms/SessionCommands.h"
#include "app/forms/TPasswordDlg.h"
#include "app/forms/TfrmMain.h"
#include "backup/forms/BackupCommands.h"
#include "backup/forms/TMainform.h"
#include "billing/DemoCharges.h"
#include "billing/forms/BillingCommands.h"
#include "cashbook/DemoCashBook.h"
#include "cashbook/forms/CashBookCommands.h"
#include "core/Clock.h"
#include "core/ProgramDirs.h"
#include "core/Session.h"
#include "core/TextFile.h"
#include "data/demo/DemoSchool.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/modules/TDataModule1.h"
#include "data/modules/TdmTarnel.h"
#include "data/settings/Settings.h"
#include "data/store/Database.h"
#include "data/users/UsersTable.h"
#include "grades/DemoMarks.h"
#include "grades/GradeRowsDemo.h"
#include "grades/forms/GradeCommands.h"
#include "reports/engine/forms/PreviewWindow.h"
#include "students/forms/StudentCommands.h"

#include "app/ui/ModalHelper.h"
#include "support/RecordingReporter.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QAbstractItemView>
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

class ProgramWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void theStudentRegisterShowsTheYearsStudents();
    void theBillingWindowShowsTheCharges();
    void theTablesWindowShowsClassesAndGrades();
    void theCashBookShowsTheMovements();
    void aReportOpensInThePreview();
    void theBackupWindowNamesTheYear();

private:
    // Opens the module of `button`, hands its window to `look` once it is up, then closes it.
    void openModule(const char *button, const QString &shotName, const std::function<void(QDialog *)> &look);
    // Every tab page of the window's tab widgets, shown in turn and saved.
    static void showEveryTab(QDialog *window, const QString &shotName);
    static void shoot(QWidget *window, const QString &name);
    // The most rows any grid of the window shows.
    static int mostRows(QWidget *window);
    QStringList errorsShown() const;

    std::unique_ptr<TempDir> m_program;
    QString m_year;
    std::unique_ptr<ScriptedDialogs::Guard> m_dialogs;
    std::unique_ptr<app::TfrmMain> m_window;
    std::unique_ptr<data::TDataModule1> m_academic;
    std::unique_ptr<data::TdmTarnel> m_cashBook;
    std::unique_ptr<app::SessionCommands> m_commands;
};

void ProgramWindowsTest::initTestCase()
{
    core::pinClock(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
    m_program = std::make_unique<TempDir>();
    m_year = testengine::yearLocation(m_program->file("Dados2026"));
    core::programDirs() = {m_program->path(), m_program->file("BACKUP"), m_program->file("AJUDA"),
                           m_program->file("Usuarios")};
    QVERIFY(core::writeTextLines(m_program->file("ConfigRede.txt"), {"Ano Letivo;Caminho", "2026;" + m_year}));
    QDir().mkpath(m_program->file("Usuarios"));
    {
        // The demo school of "lumesco-cli init --demo": register, marks, charges and cash book.
        RecordingReporter quiet;
        const data::Database year = data::createSchoolYear(m_year, "2026");
        QVERIFY(data::demo::fillDemoSchool(year, "2026", quiet, {40, 3}));
        QCOMPARE(grades::generateDemoGradeRows(year, quiet), core::RunOutcome::Completed);
        QCOMPARE(grades::fillDemoMarks(year, quiet, 3), core::RunOutcome::Completed);
        QVERIFY(billing::fillDemoCharges(year, "2026", quiet, 3));
        QVERIFY(cashbook::fillDemoCashBook(year, "2026", 3).movements > 100);
        data::UsersTable(m_program->file("Usuarios")).setPassword("SUPERVISOR", "segredo");
    }
    data::Database::closeAll();
    QDir::setCurrent(m_program->path());
    app::setFirstShowPending(false);
    core::session() = core::Session();
    data::settings() = data::Settings::defaults(QString());
    m_dialogs = std::make_unique<ScriptedDialogs::Guard>();

    // The program's own assembly (main.cpp), without its start-up files.
    m_window = std::make_unique<app::TfrmMain>();
    m_academic = std::make_unique<data::TDataModule1>();
    m_cashBook = std::make_unique<data::TdmTarnel>();
    app::ModuleServices services{m_window.get(), m_academic.get(), m_cashBook.get()};
    m_commands = std::make_unique<app::SessionCommands>(*m_window, services);
    services.logOff = [this] { m_commands->toggle().logOff(); };
    app::installMaintenanceCommands(*m_window, services);
    app::installReportCommands(*m_window, services);
    backup::installCommands(*m_window, services);
    billing::installCommands(*m_window, services);
    cashbook::installCommands(*m_window, services);
    students::installCommands(*m_window, services);
    grades::installCommands(*m_window, services);
    m_window->resize(1280, 1000);
    m_window->show();

    whenModal<app::TPasswordDlg>([](app::TPasswordDlg *dlg) {
        dlg->findChild<QLineEdit *>("txtUsuario")->setText("SUPERVISOR");
        dlg->findChild<QLineEdit *>("txtSenha")->setText("segredo");
        QTest::mouseClick(dlg->findChild<QPushButton *>("OKBtn"), Qt::LeftButton);
    });
    QTest::mouseClick(m_window->findChild<QWidget *>("cmdLogon"), Qt::LeftButton);
    QVERIFY(core::session().isOpen());
    QCOMPARE(core::session().dataDir, m_year);
    QCOMPARE(errorsShown(), QStringList());
    shoot(m_window.get(), "00-janela-principal");
}

void ProgramWindowsTest::cleanupTestCase()
{
    m_commands.reset();
    m_cashBook.reset();
    m_academic.reset();
    m_window.reset();
    data::Database::closeAll();
    testengine::dropServerYears();
    m_dialogs.reset();
    QDir::setCurrent(QDir::tempPath());
    m_program.reset();
    core::pinClock(QDateTime());
}

QStringList ProgramWindowsTest::errorsShown() const
{
    QStringList errors;
    for (const ScriptedDialogs::Shown &shown : (*m_dialogs)->shown())
        if (shown.icon == core::Icon::Error)
            errors.append(shown.text);
    return errors;
}

void ProgramWindowsTest::shoot(QWidget *window, const QString &name)
{
    const QString folder = qEnvironmentVariable("LUMESCO_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    QCoreApplication::processEvents();
    const QString engine = testengine::onServer() ? QStringLiteral("servidor") : QStringLiteral("pasta");
    window->grab().save(QDir(folder).filePath(QStringLiteral("%1-%2.png").arg(name, engine)));
}

int ProgramWindowsTest::mostRows(QWidget *window)
{
    int rows = 0;
    for (const QAbstractItemView *view : window->findChildren<QAbstractItemView *>())
        if (view->model())
            rows = qMax(rows, view->model()->rowCount());
    return rows;
}

void ProgramWindowsTest::showEveryTab(QDialog *window, const QString &shotName)
{
    for (QTabWidget *tabs : window->findChildren<QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (!tabs->isTabEnabled(i))
                continue;
            tabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
            shoot(window, QStringLiteral("%1-%2").arg(shotName).arg(i + 1));
        }
        tabs->setCurrentIndex(0);
    }
}

void ProgramWindowsTest::openModule(const char *button, const QString &shotName,
                                    const std::function<void(QDialog *)> &look)
{
    (*m_dialogs)->clear();
    bool opened = false;
    whenModal<QDialog>([&](QDialog *window) {
        opened = true;
        shoot(window, shotName);
        look(window);
        window->reject();
    });
    QWidget *b = m_window->findChild<QWidget *>(QString::fromLatin1(button));
    QVERIFY2(b && b->isEnabled(), button);
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY2(opened, button);
    QCOMPARE(errorsShown(), QStringList());
    QVERIFY2(m_window->findChild<QWidget *>("Panel1")->isEnabled(), "the button bar comes back");
}

void ProgramWindowsTest::theStudentRegisterShowsTheYearsStudents()
{
    openModule("cmdAlunos", "01-alunos", [](QDialog *window) {
        QCOMPARE(window->windowTitle(), QStringLiteral("Cadastro de Alunos"));
        QVERIFY2(mostRows(window) >= 30, "the grid of active students");
        showEveryTab(window, "01-alunos");
    });
}

void ProgramWindowsTest::theBillingWindowShowsTheCharges()
{
    openModule("cmdBoleto", "02-cobranca", [](QDialog *window) {
        QVERIFY2(mostRows(window) >= 40 * 12, "a year of monthly fees");
    });
}

void ProgramWindowsTest::theTablesWindowShowsClassesAndGrades()
{
    openModule("cmdTabelas", "03-tabelas", [](QDialog *window) {
        QVERIFY2(mostRows(window) >= 20, "the classes");
        showEveryTab(window, "03-tabelas");
    });
}

void ProgramWindowsTest::theCashBookShowsTheMovements()
{
    openModule("cmdCaixa", "04-caixa", [](QDialog *window) {
        showEveryTab(window, "04-caixa");
        QVERIFY2(mostRows(window) >= 100, "the year's cash movements");
    });
}

void ProgramWindowsTest::aReportOpensInThePreview()
{
    (*m_dialogs)->clear();
    int pages = 0;
    whenModal<reports::PreviewWindow>([&pages](reports::PreviewWindow *preview) {
        shoot(preview, "05-relatorio-turmas");
        for (QLabel *label : preview->findChildren<QLabel *>())
            if (label->text().startsWith(QStringLiteral("de ")))
                pages = label->text().mid(3).toInt();
        preview->accept();
    });
    QAction *entry = m_window->findChild<QAction *>("mnuTurmasMensalidade");
    QVERIFY(entry && entry->isEnabled());
    entry->trigger();
    QCOMPARE(errorsShown(), QStringList());
    QCOMPARE(pages, 1);
}

void ProgramWindowsTest::theBackupWindowNamesTheYear()
{
    openModule("cmdBackup", "06-backup", [this](QDialog *window) {
        const QString place = window->findChild<QLabel *>("lblDados")->text();
        if (testengine::onServer())
            QVERIFY2(place.startsWith(QStringLiteral("Dados: Ano letivo ")) && place.contains(" no servidor "),
                     qPrintable(place));
        else
            QCOMPARE(place, QStringLiteral("Dados: Pasta ") + QDir::toNativeSeparators(m_year));
    });
}

QTEST_MAIN(ProgramWindowsTest)
#include "ProgramWindowsTest.moc"
