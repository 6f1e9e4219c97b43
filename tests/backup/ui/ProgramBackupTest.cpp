#include "app/ModuleServices.h"
#include "app/Startup.h"
#include "app/forms/SessionCommands.h"
#include "app/forms/TPasswordDlg.h"
#include "app/forms/TfrmMain.h"
#include "backup/forms/BackupCommands.h"
#include "backup/forms/TMainform.h"
#include "backup/forms/TfrmDestino.h"
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

#include "app/ui/ModalHelper.h"
#include "support/RecordingReporter.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

// The whole program around the backup: the main window, the log-on and the data modules, with
// a demo school; a person backs up from the "Back-Ups" button and restores it.
class ProgramBackupTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aBackupRestoredEndsTheSessionAndTheNextLogOnOpensTheRestoredYear();

private:
    void logOn();
    QWidget *widget(const char *name) { return m_window->findChild<QWidget *>(QString::fromLatin1(name)); }
    static void click(QWidget *parent, const char *name)
    {
        QWidget *w = parent->findChild<QWidget *>(QString::fromLatin1(name));
        QVERIFY2(w, name);
        QTest::mouseClick(w, Qt::LeftButton, {},
                          qobject_cast<QCheckBox *>(w) ? QPoint(6, w->height() / 2) : w->rect().center());
    }
    QString dataDir() const { return m_program->file("Dados2026"); }
    int students() const
    {
        return data::Database::open(dataDir()).scalar("select count(*) from ALUNOS").toInt();
    }

    std::unique_ptr<TempDir> m_program;
    std::unique_ptr<ScriptedDialogs::Guard> m_dialogs;
    std::unique_ptr<app::TfrmMain> m_window;
    std::unique_ptr<data::TDataModule1> m_academic;
    std::unique_ptr<data::TdmTarnel> m_cashBook;
    std::unique_ptr<app::SessionCommands> m_commands;
};

void ProgramBackupTest::init()
{
    core::pinClock(QDateTime(QDate(2026, 1, 9), QTime(20, 25)));
    m_program = std::make_unique<TempDir>();
    core::programDirs() = {m_program->path(), m_program->file("BACKUP"), m_program->file("AJUDA"),
                           m_program->file("Dados2026")};
    QVERIFY(core::writeTextLines(m_program->file("ConfigRede.txt"),
                                 {"Ano Letivo;Caminho", "2026;" + dataDir()}));
    QDir().mkpath(dataDir());
    {
        RecordingReporter quiet;
        QVERIFY(data::demo::fillDemoSchool(data::createSchoolYear(dataDir(), "2026"), "2026", quiet,
                                           {40, 3}));
        data::UsersTable(dataDir()).setPassword("SUPERVISOR", "segredo");
    }
    data::Database::closeAll();
    QDir::setCurrent(m_program->path());
    app::setFirstShowPending(false);
    core::session() = core::Session();
    data::settings() = data::Settings::defaults(QString());
    m_dialogs = std::make_unique<ScriptedDialogs::Guard>();

    m_window = std::make_unique<app::TfrmMain>();
    m_academic = std::make_unique<data::TDataModule1>();
    m_cashBook = std::make_unique<data::TdmTarnel>();
    app::ModuleServices services{m_window.get(), m_academic.get(), m_cashBook.get()};
    m_commands = std::make_unique<app::SessionCommands>(*m_window, services);
    services.logOff = [this] { m_commands->toggle().logOff(); };
    backup::installCommands(*m_window, services);
}

void ProgramBackupTest::cleanup()
{
    m_commands.reset();
    m_cashBook.reset();
    m_academic.reset();
    m_window.reset();
    data::Database::closeAll();
    m_dialogs.reset();
    m_program.reset();
    core::pinClock(QDateTime());
}

void ProgramBackupTest::logOn()
{
    whenModal<app::TPasswordDlg>([](app::TPasswordDlg *dlg) {
        dlg->findChild<QLineEdit *>("txtUsuario")->setText("SUPERVISOR");
        dlg->findChild<QLineEdit *>("txtSenha")->setText("segredo");
        QTest::mouseClick(dlg->findChild<QPushButton *>("OKBtn"), Qt::LeftButton);
    });
    QTest::mouseClick(widget("cmdLogon"), Qt::LeftButton);
    QVERIFY(core::session().isOpen());
}

void ProgramBackupTest::aBackupRestoredEndsTheSessionAndTheNextLogOnOpensTheRestoredYear()
{
    QVERIFY(!widget("cmdBackup")->isEnabled());
    logOn();
    QVERIFY(widget("cmdBackup")->isEnabled());

    // The newcomer's backup: the automatic box, then "&Salvar".
    whenModal<backup::TMainform>([](backup::TMainform *form) {
        click(form, "chkAutomatico");
        click(form, "cmdSalvar");
        click(form, "cmdFechar");
    });
    QTest::mouseClick(widget("cmdBackup"), Qt::LeftButton);
    const QString archive = m_program->file("BACKUP/20260109_2026_SUPERVISOR.Zip");
    QVERIFY(QFileInfo::exists(archive));
    QVERIFY(QFileInfo::exists(m_program->file("BACKUP/20260109_2026_SUPERVISOR.log")));
    QCOMPARE((*m_dialogs)->texts().last(), QStringLiteral("1 arquivos foram copiados no Back-Up"));
    QVERIFY2(core::session().isOpen(), "a backup keeps the session");
    QVERIFY(widget("Panel1")->isEnabled());
    QCOMPARE(QDir::currentPath(), QDir(m_program->path()).absolutePath());

    // Work after the backup, lost by the restore.
    QTest::mouseClick(widget("cmdLogon"), Qt::LeftButton);
    data::Database::open(dataDir()).exec("delete from ALUNOS");
    QCOMPARE(students(), 0);
    data::Database::closeAll();
    logOn();

    (*m_dialogs)->answerFile(archive);
    whenModal<backup::TMainform>([](backup::TMainform *form) {
        click(form, "cmdAbrir");
        whenModal<backup::TfrmDestino>([](backup::TfrmDestino *destination) {
            click(destination, "cmdOk");
        });
        click(form, "cmdRecuperar");
    });
    QTest::mouseClick(widget("cmdBackup"), Qt::LeftButton);
    const QStringList texts = (*m_dialogs)->texts();
    QCOMPARE(texts.mid(texts.size() - 2),
             QStringList({"1 arquivos foram recuperados",
                          "Esta sessão será fechada para garantir a integridade da cópia recuperada."}));
    QVERIFY(!core::session().isOpen());
    QCOMPARE(static_cast<QToolButton *>(widget("cmdLogon"))->text(), QStringLiteral("Log ON"));
    QVERIFY(!widget("cmdBackup")->isEnabled());

    logOn();
    QCOMPARE(core::session().dataDir, dataDir());
    QCOMPARE(students(), 40);
}

QTEST_MAIN(ProgramBackupTest)
#include "ProgramBackupTest.moc"
