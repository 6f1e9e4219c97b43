// The whole program on a demo school, as the office goes through it after the log-on: each
// module button opens its window on the year's rows, every tab of it draws, a report opens in
// the preview, and no error is shown on the way; every window the buttons and menus open fits a
// laptop's screen of 1280×800. The same run goes over a year on the server.
//
// With LUMESCO_SCREENSHOTS=DIR each window and tab is saved there as a PNG, drawn by the
// program itself (under xvfb-run, with the X server's fonts):
//   LUMESCO_SCREENSHOTS=/tmp/telas xvfb-run -a build/test/tests/app/test_app_ProgramWindowsTest -platform xcb

#include "app/forms/TfrmMain.h"
#include "backup/forms/TMainform.h"
#include "billing/DemoCharges.h"
#include "cashbook/DemoCashBook.h"
#include "core/Clock.h"
#include "data/demo/DemoSchool.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Database.h"
#include "grades/DemoMarks.h"
#include "grades/GradeRowsDemo.h"
#include "reports/engine/forms/PreviewWindow.h"

#include "app/ui/ModalHelper.h"
#include "app/uiprogram/ProgramUnderTest.h"
#include "support/RecordingReporter.h"
#include "support/TestEngine.h"

#include <QAbstractItemView>
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QTabWidget>
#include <QMenu>
#include <QTest>
#include <QTimer>

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
    void everyWindowFitsASmallScreen();

private:
    // Opens the module of `button`, hands its window to `look` once it is up, then closes it.
    void openModule(const char *button, const QString &shotName, const std::function<void(QDialog *)> &look);
    // Every tab page of the window's tab widgets, shown in turn and saved.
    static void showEveryTab(QDialog *window, const QString &shotName);
    static void shoot(QWidget *window, const QString &name);
    // Why `window` would not fit a screen of 1280×800 pixels; empty when it fits.
    static QString unfit(QWidget *window);
    // The most rows any grid of the window shows.
    static int mostRows(QWidget *window);

    std::unique_ptr<ProgramUnderTest> m_program;
    app::TfrmMain *m_window = nullptr;
};

void ProgramWindowsTest::initTestCase()
{
    m_program = std::make_unique<ProgramUnderTest>(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
    {
        // The demo school of "lumesco-cli init --demo": register, marks, charges and cash book.
        RecordingReporter quiet;
        const data::Database year = data::createSchoolYear(m_program->year(), "2026");
        QVERIFY(data::demo::fillDemoSchool(year, "2026", quiet, {40, 3}));
        QCOMPARE(grades::generateDemoGradeRows(year, quiet), core::RunOutcome::Completed);
        QCOMPARE(grades::fillDemoMarks(year, quiet, 3), core::RunOutcome::Completed);
        QVERIFY(billing::fillDemoCharges(year, "2026", quiet, 3));
        QVERIFY(cashbook::fillDemoCashBook(year, "2026", 3).movements > 100);
    }
    m_program->start();
    m_window = &m_program->window();
    m_window->resize(1280, 1000);
    m_window->show();

    m_program->logOn();
    QCOMPARE(core::session().dataDir, m_program->year());
    QCOMPARE(m_program->errorsShown(), QStringList());
    shoot(m_window, "00-janela-principal");
}

void ProgramWindowsTest::cleanupTestCase()
{
    m_window = nullptr;
    m_program.reset();
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

QString ProgramWindowsTest::unfit(QWidget *window)
{
    // The screen less the window's frame and the task bar.
    const QSize room(1280 - 16, 800 - 40 - 32);
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    for (const QSize size : {least, window->size()})
        if (size.width() > room.width() || size.height() > room.height())
            return QStringLiteral("%1 \"%2\": %3×%4 (at least %5×%6)")
                .arg(QString::fromLatin1(window->metaObject()->className()), window->windowTitle())
                .arg(window->width())
                .arg(window->height())
                .arg(least.width())
                .arg(least.height());
    return QString();
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
    m_program->dialogs().clear();
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
    QCOMPARE(m_program->errorsShown(), QStringList());
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
    m_program->dialogs().clear();
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
    QCOMPARE(m_program->errorsShown(), QStringList());
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
            QCOMPARE(place, QStringLiteral("Dados: Pasta ") + QDir::toNativeSeparators(m_program->year()));
    });
}

void ProgramWindowsTest::everyWindowFitsASmallScreen()
{
    // Every window the module buttons and the menu entries open, each closed as soon as it is
    // up, and the windows it opens in turn too. Leaving the session and the program are not
    // windows of their own.
    const QStringList passedOver{"mnuLogOnOff", "mnuSair", "mnuAmbienteRede", "mnuTopicos"};
    QStringList tooLarge;
    QStringList seen;
    QString command;
    QTimer closer;
    closer.setInterval(5);
    connect(&closer, &QTimer::timeout, this, [&] {
        auto *window = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!window)
            return;
        seen.append(command);
        shoot(window, QStringLiteral("99-") + command);
        if (const QString why = unfit(window); !why.isEmpty())
            tooLarge.append(command + QStringLiteral(": ") + why);
        window->reject();
    });
    closer.start();
    for (const char *button : {"cmdAlunos", "cmdBoleto", "cmdTabelas", "cmdCaixa", "cmdBackup"}) {
        command = QString::fromLatin1(button);
        QTest::mouseClick(m_window->findChild<QWidget *>(command), Qt::LeftButton);
    }
    for (QAction *entry : m_window->findChildren<QAction *>()) {
        command = entry->objectName();
        if (!command.startsWith(QStringLiteral("mnu")) || entry->menu() || passedOver.contains(command) ||
            !entry->isEnabled() || !entry->isVisible())
            continue;
        entry->trigger();
    }
    closer.stop();
    // The main window is maximised: what it needs at least has to fit the screen too.
    const QSize least = m_window->minimumSizeHint();
    QVERIFY2(least.width() <= 1280 && least.height() <= 800 - 40,
             qPrintable(QStringLiteral("%1×%2").arg(least.width()).arg(least.height())));
    QVERIFY2(seen.size() > 40, qPrintable(seen.join(u' ')));
    QVERIFY2(tooLarge.isEmpty(), qPrintable(tooLarge.join(u'\n')));
}

QTEST_MAIN(ProgramWindowsTest)
#include "ProgramWindowsTest.moc"
