#include "app/Startup.h"
#include "app/ModuleServices.h"
#include "app/forms/SessionCommands.h"
#include "app/forms/TPasswordDlg.h"
#include "app/forms/TfrmCriarUsuario.h"
#include "app/forms/TfrmMain.h"
#include "core/ProgramDirs.h"
#include "core/Session.h"
#include "core/TextFile.h"
#include "data/forms/TfrmConfig.h"
#include "data/modules/TDataModule1.h"
#include "data/modules/TdmTarnel.h"
#include "data/settings/Settings.h"
#include "data/store/Database.h"
#include "data/store/Table.h"
#include "data/users/UsersTable.h"

#include "app/ui/ModalHelper.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QUrl>

using app::TfrmMain;
using app::TPasswordDlg;

// The whole log-on as a person goes through it: the main window, the two data modules, the
// dialog and the users table, on school years in scratch folders or on the test server.
class LogOnTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aNewcomerLogsOnAsSupervisorAndReachesEveryCommand();
    void aGradesUserGetsTabelasAndWritesOnlyTheGradeTables();
    void logOffAndOnWithAnotherYearOpensTheOtherDirectory();
    void theLoadedSettingsShowInTheWindow();
    void aDataDirectoryThatCannotBeOpenedIsReported();
    void theSupervisorsMenuEntriesOpenTheirForms();

private:
    struct LogOn
    {
        QString user;
        QString password;
        int yearRow = -1; // -1: the row already chosen (the last)
        QString newPassword; // typed into the new-password fields when they open
    };
    void logOn(const LogOn &how);
    void clickLogOnButton() { QTest::mouseClick(widget("cmdLogon"), Qt::LeftButton); }
    QWidget *widget(const char *name) { return m_window->findChild<QWidget *>(QString::fromLatin1(name)); }
    QAction *action(const char *name) { return m_window->findChild<QAction *>(QString::fromLatin1(name)); }
    bool menuEnabled(const char *name)
    {
        return m_window->findChild<QMenu *>(QString::fromLatin1(name))->menuAction()->isEnabled();
    }
    QString yearDir(int year) const { return m_years.value(year); }
    // The year was made where ConfigRede.txt names it: its file in the folder, its tables on a server.
    bool yearMade(int year) const
    {
        if (testengine::onServer())
            return data::Database::open(yearDir(year)).hasTable(QStringLiteral("Alunos.DB"));
        return QFileInfo::exists(yearDir(year) + QStringLiteral("/Lumesco.db"));
    }
    void addUser(const QString &name, const core::Rights &rights, const QString &password);

    std::unique_ptr<TempDir> m_program;
    QHash<int, QString> m_years; // each year's folder, or its address on the server
    std::unique_ptr<testengine::UsersHeld> m_users;
    std::unique_ptr<ScriptedDialogs::Guard> m_dialogs;
    std::unique_ptr<TfrmMain> m_window;
    std::unique_ptr<data::TDataModule1> m_academic;
    std::unique_ptr<data::TdmTarnel> m_cashBook;
    std::unique_ptr<app::SessionCommands> m_commands;
};

void LogOnTest::init()
{
    m_program = std::make_unique<TempDir>();
    for (int year : {2025, 2026})
        m_years.insert(year, testengine::yearLocation(m_program->file(QStringLiteral("Dados%1").arg(year))));
    m_users = std::make_unique<testengine::UsersHeld>(m_program->file(QStringLiteral("Usuarios")));
    core::programDirs() = {m_program->path(), m_program->file(QStringLiteral("BACKUP")),
                           m_program->file(QStringLiteral("AJUDA")), m_users->location()};
    QVERIFY(core::writeTextLines(m_program->file(QStringLiteral("ConfigRede.txt")),
                                 {QStringLiteral("Ano Letivo;Caminho"),
                                  QStringLiteral("2025;") + yearDir(2025),
                                  QStringLiteral("2026;") + yearDir(2026)}));
    QDir::setCurrent(m_program->path());
    app::setFirstShowPending(false);
    core::session() = core::Session();
    data::settings() = data::Settings::defaults(QString());
    m_dialogs = std::make_unique<ScriptedDialogs::Guard>();

    m_window = std::make_unique<TfrmMain>();
    m_academic = std::make_unique<data::TDataModule1>();
    m_cashBook = std::make_unique<data::TdmTarnel>();
    m_commands = std::make_unique<app::SessionCommands>(
        *m_window, app::ModuleServices{m_window.get(), m_academic.get(), m_cashBook.get()});
    // Stand-ins for the module forms, so the buttons show what the rights allow.
    for (app::Module module : {app::Module::Alunos, app::Module::Cobranca, app::Module::Tabelas,
                               app::Module::Caixa, app::Module::Backup})
        m_window->setModuleForm(module, [](app::ModuleLauncher &) {});
}

void LogOnTest::cleanup()
{
    m_commands.reset();
    m_cashBook.reset();
    m_academic.reset();
    m_window.reset();
    data::Database::closeAll();
    testengine::dropServerYears();
    m_users.reset();
    m_years.clear();
    m_dialogs.reset();
    m_program.reset();
}

void LogOnTest::logOn(const LogOn &how)
{
    bool answered = false;
    whenModal<TPasswordDlg>([&](TPasswordDlg *dlg) {
        answered = true;
        auto edit = [dlg](const char *name) {
            return dlg->findChild<QLineEdit *>(QString::fromLatin1(name));
        };
        if (!how.user.isEmpty())
            edit("txtUsuario")->setText(how.user);
        edit("txtSenha")->setText(how.password);
        if (how.yearRow >= 0)
            dlg->findChild<QTableWidget *>(QStringLiteral("grdAnoLetivo"))->selectRow(how.yearRow);
        auto *ok = dlg->findChild<QPushButton *>(QStringLiteral("OKBtn"));
        QTest::mouseClick(ok, Qt::LeftButton);
        if (!how.newPassword.isEmpty() && edit("txtNovaSenha")->isVisible()) {
            edit("txtNovaSenha")->setText(how.newPassword);
            edit("txtConfirmaSenha")->setText(how.newPassword);
            QTest::keyClick(edit("txtConfirmaSenha"), Qt::Key_Return);
            QTest::mouseClick(ok, Qt::LeftButton);
        }
        if (dlg->isVisible())
            dlg->reject();
    });
    clickLogOnButton();
    QVERIFY(answered);
}

void LogOnTest::addUser(const QString &name, const core::Rights &rights, const QString &password)
{
    data::UsersTable users(core::programDirs().users);
    data::UserRecord user;
    user.userId = name;
    user.rights = rights;
    users.add(user);
    users.setPassword(name, password);
}

void LogOnTest::aNewcomerLogsOnAsSupervisorAndReachesEveryCommand()
{
    QCOMPARE(static_cast<QToolButton *>(widget("cmdLogon"))->text(), QStringLiteral("Log ON"));
    QVERIFY(widget("cmdLogon")->isEnabled());
    QVERIFY(action("mnuLogOnOff")->isEnabled());
    QVERIFY(!widget("cmdAlunos")->isEnabled());

    // The name is typed already; a blank password asks for a new one.
    logOn({QString(), QString(), -1, QStringLiteral("primeira")});
    QCOMPARE((*m_dialogs)->texts(), QStringList{QStringLiteral("Informe a senha para iniciar")});

    QVERIFY(core::session().isOpen());
    QCOMPARE(core::session().userName, QStringLiteral("SUPERVISOR"));
    QCOMPARE(core::session().schoolYear, QStringLiteral("2026"));
    QCOMPARE(core::session().dataDir, yearDir(2026));
    QCOMPARE(static_cast<QToolButton *>(widget("cmdLogon"))->text(), QStringLiteral("Log OFF"));
    QCOMPARE(m_window->windowTitle(),
             QStringLiteral("Lumesco v 2010.01.21 - Usuário: SUPERVISOR (S) - Ano Letivo: 2026 - "));
    for (const char *name : {"cmdAlunos", "cmdBoleto", "cmdTabelas", "cmdCaixa", "cmdBackup"})
        QVERIFY2(widget(name)->isEnabled(), name);
    QVERIFY(menuEnabled("mnuRelatorios"));
    QVERIFY(menuEnabled("mnuUtilitarios"));
    QVERIFY(menuEnabled("mnuMensalidades"));
    QVERIFY(action("mnuPreferencias")->isEnabled());
    QVERIFY(action("mnuCadastroUsuarios")->isEnabled());
    QVERIFY(action("mnuAmbienteRede")->isEnabled());
    QCOMPARE(m_window->statusText(), QStringLiteral("Localização da Base de dados: ") + yearDir(2026));

    // The new school year was created where it is named, and the password is kept.
    QVERIFY(yearMade(2026));
    QVERIFY(data::Database::named(QStringLiteral("Quorvel")).hasTable(QStringLiteral("Alunos.DB")));
    QVERIFY(!data::UsersTable(core::programDirs().users)
                 .find(QStringLiteral("SUPERVISOR"))
                 ->password.isEmpty());

    // Log off: everything closes again.
    clickLogOnButton();
    QVERIFY(!core::session().isOpen());
    QCOMPARE(static_cast<QToolButton *>(widget("cmdLogon"))->text(), QStringLiteral("Log ON"));
    QCOMPARE(m_window->windowTitle(),
             QStringLiteral("Lumesco v 2010.01.21 - *** Nenhum usuário definido ***"));
    for (const char *name : {"cmdAlunos", "cmdBoleto", "cmdTabelas", "cmdCaixa", "cmdBackup"})
        QVERIFY2(!widget(name)->isEnabled(), name);
    QVERIFY(!menuEnabled("mnuRelatorios"));
    QVERIFY(!action("mnuCadastroUsuarios")->isEnabled());
    QVERIFY(!data::Database::nameExists(QStringLiteral("Quorvel")));

    // A cancelled dialog leaves no session.
    whenModal<TPasswordDlg>([](TPasswordDlg *dlg) { dlg->reject(); });
    action("mnuLogOnOff")->trigger();
    QVERIFY(!core::session().isOpen());
}

void LogOnTest::aGradesUserGetsTabelasAndWritesOnlyTheGradeTables()
{
    core::Rights notas;
    notas.notas = true;
    addUser(QStringLiteral("PROF"), notas, QStringLiteral("giz"));
    logOn({QStringLiteral("PROF"), QStringLiteral("giz")});
    QVERIFY((*m_dialogs)->shown().isEmpty());
    QCOMPARE(m_window->windowTitle(),
             QStringLiteral("Lumesco v 2010.01.21 - Usuário: PROF - Ano Letivo: 2026 - "));
    QVERIFY(widget("cmdTabelas")->isEnabled());
    for (const char *name : {"cmdAlunos", "cmdBoleto", "cmdCaixa", "cmdBackup"})
        QVERIFY2(!widget(name)->isEnabled(), name);
    QVERIFY(menuEnabled("mnuRelatorios"));
    QVERIFY(!menuEnabled("mnuMensalidades"));
    QVERIFY(!action("mnuPreferencias")->isEnabled());
    QVERIFY(!action("mnuCadastroUsuarios")->isEnabled());

    m_academic->tblNotas().open();
    m_academic->tblNotasUni(3).open();
    m_academic->tblAlunos().open();
    m_academic->tblDiscpl().open();
    QVERIFY(!m_academic->tblNotas().isReadOnly());
    QVERIFY(!m_academic->tblNotasUni(3).isReadOnly());
    QVERIFY(m_academic->tblAlunos().isReadOnly());
    QVERIFY(m_academic->tblDiscpl().isReadOnly());
}

void LogOnTest::logOffAndOnWithAnotherYearOpensTheOtherDirectory()
{
    core::Rights all;
    all.alunos = all.notas = all.caixa = all.carnes = all.backup = all.tabelas = true;
    addUser(QStringLiteral("ANA"), all, QStringLiteral("a1"));
    logOn({QStringLiteral("ANA"), QStringLiteral("a1"), 1});
    QCOMPARE(data::Database::directoryOfName(QStringLiteral("Quorvel")), yearDir(2026));

    clickLogOnButton(); // off
    logOn({QStringLiteral("ANA"), QStringLiteral("a1"), 0});
    QCOMPARE(core::session().schoolYear, QStringLiteral("2025"));
    QCOMPARE(core::session().dataDir, yearDir(2025));
    QCOMPARE(data::Database::directoryOfName(QStringLiteral("Quorvel")), yearDir(2025));
    QVERIFY(yearMade(2025));
    QVERIFY(m_window->windowTitle().contains(QStringLiteral("Ano Letivo: 2025")));
    // Not a supervisor: the cash book opens, its totals stay hidden elsewhere.
    QVERIFY(widget("cmdCaixa")->isEnabled());
    QVERIFY(!action("mnuPreferencias")->isEnabled());
}

void LogOnTest::theLoadedSettingsShowInTheWindow()
{
    addUser(QStringLiteral("ANA"), {}, QStringLiteral("a1"));
    logOn({QStringLiteral("ANA"), QStringLiteral("a1")});
    QVERIFY(!m_window->networkRefresh());
    data::Database::named(QStringLiteral("Quorvel"))
        .exec(QStringLiteral("update Usuario set Estabel = :e, Termo_Func = :t, Usa_Rede = :r"),
              {{QStringLiteral("e"), QStringLiteral("COLÉGIO D'ÁVILA")},
               {QStringLiteral("t"), QStringLiteral("Professores")},
               {QStringLiteral("r"), true}});
    clickLogOnButton(); // off
    logOn({QStringLiteral("ANA"), QStringLiteral("a1")});

    QVERIFY(m_window->windowTitle().endsWith(QStringLiteral(" - COLÉGIO D'ÁVILA")));
    QCOMPARE(action("mnuFichaFuncionario")->text(), QStringLiteral("&y. Ficha de Professores"));
    QVERIFY(action("mnuAmbienteRede")->isChecked());
    QVERIFY(m_academic->networkRefresh());
    QVERIFY((*m_dialogs)->shown().isEmpty()); // the setting switches it without a message
}

void LogOnTest::aDataDirectoryThatCannotBeOpenedIsReported()
{
    // A folder under a file; on a server, a database the server does not have.
    QString blocked = m_program->write(QStringLiteral("arquivo"), "não é uma pasta") + QStringLiteral("/2026");
    if (testengine::onServer()) {
        QUrl missing(yearDir(2026));
        missing.setPath(QStringLiteral("/lumesco_sem_banco"));
        blocked = missing.toString(QUrl::FullyEncoded);
    }
    QVERIFY(core::writeTextLines(m_program->file(QStringLiteral("ConfigRede.txt")), {QStringLiteral("2026;") + blocked}));
    logOn({QString(), QString(), -1, QStringLiteral("primeira")});
    QCOMPARE((*m_dialogs)->last().text, QStringLiteral("Erro no acesso à base de dados."));
    QCOMPARE((*m_dialogs)->last().icon, core::Icon::Error);
    // The session stays as far as it got: "Log OFF" ends it, nothing else opened.
    QCOMPARE(static_cast<QToolButton *>(widget("cmdLogon"))->text(), QStringLiteral("Log OFF"));
    QVERIFY(!widget("cmdAlunos")->isEnabled());
    QVERIFY(!menuEnabled("mnuRelatorios"));
    clickLogOnButton();
    QVERIFY(!core::session().isOpen());
    QCOMPARE(static_cast<QToolButton *>(widget("cmdLogon"))->text(), QStringLiteral("Log ON"));
}

void LogOnTest::theSupervisorsMenuEntriesOpenTheirForms()
{
    logOn({QString(), QString(), -1, QStringLiteral("primeira")});

    QString usersCaption;
    whenModal<app::TfrmCriarUsuario>([&](app::TfrmCriarUsuario *form) {
        usersCaption = form->windowTitle();
        form->reject();
    });
    action("mnuCadastroUsuarios")->trigger();
    QCOMPARE(usersCaption, QStringLiteral("Cadatro de Usuários"));

    bool settingsShown = false;
    whenModal<TfrmConfig>([&](TfrmConfig *form) {
        settingsShown = true;
        form->reject();
    });
    action("mnuPreferencias")->trigger();
    QVERIFY(settingsShown);
    QCOMPARE(QDir::current(), QDir(m_program->path()));
}

QTEST_MAIN(LogOnTest)
#include "LogOnTest.moc"
