#include "app/forms/TfrmMain.h"
#include "app/Startup.h"
#include "app/forms/PictureButton.h"
#include "app/forms/TfrmSair.h"
#include "app/forms/TfrmSobre.h"
#include "core/ProgramDirs.h"
#include "core/Session.h"
#include "core/Shell.h"

#include "app/ui/ModalHelper.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QAction>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

using app::TfrmMain;

class TfrmMainTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void beforeLogOnOnlyLogOnExitAndHelpWork();
    void aSessionEnablesTheCommandsItsRightsAllowAndThatExist();
    void showingAgainEndsTheSessionState();
    void staffTermCaptions();
    void answeringNoToTheExitQuestionKeepsRunning();
    void answeringYesCloses();
    void theExitAnimationIsShownWhenItsFileExists();
    void aModuleRunsWithTheBarDisabledAndComesBackHome();
    void billingKeepsTheStatusText();
    void theFirstShowRunsTheSplashOnce();
    void networkRefreshTogglesAndWarns();
    void helpAndNewsGoThroughTheShell();
    void theSchoolLogoReplacesTheBuiltInOne();
    void buttonsLightUpWithTheFocus();

private:
    QWidget *find(TfrmMain &w, const char *name)
    {
        return w.findChild<QWidget *>(QString::fromLatin1(name));
    }
    QAction *action(TfrmMain &w, const char *name)
    {
        return w.findChild<QAction *>(QString::fromLatin1(name));
    }
    QAction *menu(TfrmMain &w, const QString &title);
    static void openSession(const core::Rights &rights, bool supervisor = false);

    TempDir m_program;
    core::RecordingShell *m_shell = nullptr;
};

void TfrmMainTest::initTestCase()
{
    core::programDirs() = {m_program.path(), m_program.file(QStringLiteral("BACKUP")),
                           m_program.file(QStringLiteral("AJUDA")),
                           m_program.file(QStringLiteral("Data"))};
    QDir::setCurrent(m_program.path());
    auto shell = std::make_unique<core::RecordingShell>();
    m_shell = shell.get();
    core::setShell(std::move(shell));
}

void TfrmMainTest::init()
{
    app::setFirstShowPending(false);
    core::session() = core::Session();
    m_shell->clear();
}

QAction *TfrmMainTest::menu(TfrmMain &w, const QString &title)
{
    for (QAction *a : w.menuBar()->actions()) {
        if (a->text() == title)
            return a;
    }
    return nullptr;
}

void TfrmMainTest::openSession(const core::Rights &rights, bool supervisor)
{
    core::session().userName = QStringLiteral("MARIA");
    core::session().schoolYear = QStringLiteral("2026");
    core::session().rights = rights;
    core::session().supervisor = supervisor;
}

void TfrmMainTest::beforeLogOnOnlyLogOnExitAndHelpWork()
{
    TfrmMain w;
    w.show();
    QCOMPARE(w.windowTitle(),
             QStringLiteral("Lumesco v 2010.01.21 - *** Nenhum usuário definido ***"));
    for (const char *name : {"cmdAlunos", "cmdBoleto", "cmdTabelas", "cmdCaixa", "cmdBackup"})
        QVERIFY2(!find(w, name)->isEnabled(), name);
    QVERIFY(find(w, "ExplorerButton6")->isEnabled());
    QCOMPARE(find(w, "cmdAlunos")->toolTip(),
             QStringLiteral("Cadastro de Alunos com  pesquisa, relatórios etc"));

    QVERIFY(menu(w, QStringLiteral("&Relatórios")));
    QVERIFY(!menu(w, QStringLiteral("&Relatórios"))->isEnabled());
    QVERIFY(!menu(w, QStringLiteral("&Utilitários"))->isEnabled());
    QVERIFY(menu(w, QStringLiteral("&Ajuda"))->isEnabled());
    QVERIFY(!action(w, "mnuPreferencias")->isEnabled());
    QVERIFY(!action(w, "mnuCadastroUsuarios")->isEnabled());
    QVERIFY(action(w, "mnuSair")->isEnabled());
    QVERIFY(action(w, "mnuSobre")->isEnabled());
    QVERIFY(!action(w, "mnuBoletimGeral")->isVisible());

    // Log-on arrives with its dialog; until then its button and entry stay off.
    QVERIFY(!find(w, "cmdLogon")->isEnabled());
    QVERIFY(!action(w, "mnuLogOnOff")->isEnabled());
    int toggles = 0;
    w.setCommand(app::button::Logon, [&] { ++toggles; });
    w.setCommand(app::entry::LogOnOff, [&] { ++toggles; });
    QVERIFY(find(w, "cmdLogon")->isEnabled());
    QTest::mouseClick(find(w, "cmdLogon"), Qt::LeftButton);
    action(w, "mnuLogOnOff")->trigger();
    QCOMPARE(toggles, 2);

    QCOMPARE(find(w, "Panel1")->width(), 69);
    auto *status = w.findChild<QStatusBar *>(QStringLiteral("StatusBar1"));
    QVERIFY(status);
    QCOMPARE(status->findChild<QLabel *>(QStringLiteral("StatusPanel0"))->width(), 450);
    QVERIFY(!status->findChild<QLabel *>(QStringLiteral("StatusPanel1"))->text().isEmpty());
    QVERIFY(!w.findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().isNull());
    QVERIFY(w.findChild<QMenuBar *>(QStringLiteral("MainMenu1")));
}

void TfrmMainTest::aSessionEnablesTheCommandsItsRightsAllowAndThatExist()
{
    TfrmMain w;
    w.show();
    w.setModuleForm(app::Module::Alunos, [](app::ModuleLauncher &) {});
    w.setModuleForm(app::Module::Caixa, [](app::ModuleLauncher &) {});
    w.setMenuForm(QStringLiteral("mnuFichaAluno"), [](app::ModuleLauncher &) {});
    w.setMenuForm(QStringLiteral("mnuImportarCarnes"), [](app::ModuleLauncher &) {});
    w.setMenuForm(app::entry::Preferencias, [](app::ModuleLauncher &) {});

    core::Rights rights;
    rights.alunos = true;
    openSession(rights);
    w.applySession(QStringLiteral("COLÉGIO SÃO JOSÉ"));
    QCOMPARE(w.windowTitle(),
             app::mainCaption(core::session(), QStringLiteral("COLÉGIO SÃO JOSÉ")));
    QCOMPARE(static_cast<QToolButton *>(find(w, "cmdLogon"))->text(), QStringLiteral("Log OFF"));
    QVERIFY(find(w, "cmdAlunos")->isEnabled());
    QVERIFY(!find(w, "cmdCaixa")->isEnabled());   // no right
    QVERIFY(!find(w, "cmdTabelas")->isEnabled()); // no form yet
    QVERIFY(menu(w, QStringLiteral("&Relatórios"))->isEnabled());
    QVERIFY(action(w, "mnuFichaAluno")->isEnabled());
    QVERIFY(!action(w, "mnuAlunosTurma")->isEnabled()); // no form yet
    QVERIFY(!action(w, "mnuImportarCarnes")->isEnabled());
    QVERIFY(!w.findChild<QMenu *>(QStringLiteral("mnuMensalidades"))->menuAction()->isEnabled());
    QVERIFY(!action(w, "mnuPreferencias")->isEnabled());

    openSession({}, true);
    w.applySession(QStringLiteral("X"));
    QVERIFY(find(w, "cmdCaixa")->isEnabled());
    QVERIFY(w.findChild<QMenu *>(QStringLiteral("mnuMensalidades"))->menuAction()->isEnabled());
    QVERIFY(action(w, "mnuPreferencias")->isEnabled());

    w.applyNoSession();
    QVERIFY(!core::session().isOpen());
    QVERIFY(!core::session().supervisor);
    QCOMPARE(static_cast<QToolButton *>(find(w, "cmdLogon"))->text(), QStringLiteral("Log ON"));
    QVERIFY(!find(w, "cmdCaixa")->isEnabled());
    QVERIFY(!action(w, "mnuPreferencias")->isEnabled());
}

void TfrmMainTest::showingAgainEndsTheSessionState()
{
    TfrmMain w;
    w.show();
    core::Rights rights;
    rights.caixa = true;
    openSession(rights, true);
    w.applySession(QStringLiteral("X"));
    w.hide();
    w.show();
    QCOMPARE(w.windowTitle(), app::mainCaption(core::Session(), QString()));
    QVERIFY(!core::session().rights.caixa);
    QVERIFY(!menu(w, QStringLiteral("&Utilitários"))->isEnabled());
}

void TfrmMainTest::staffTermCaptions()
{
    TfrmMain w;
    QCOMPARE(action(w, "mnuFichaFuncionario")->text(), QStringLiteral("&y. Ficha de Funcionários"));
    w.setStaffTerm(QStringLiteral("Professores"));
    w.show(); // rebuilt from the loaded term on every show
    QCOMPARE(action(w, "mnuFichaFuncionario")->text(), QStringLiteral("&y. Ficha de Professores"));
    QCOMPARE(action(w, "mnuFuncAniversariantes")->text(),
             QStringLiteral("&z. Professores Aniversariantes do Mês"));
}

void TfrmMainTest::answeringNoToTheExitQuestionKeepsRunning()
{
    TfrmMain w;
    w.show();
    core::Rights rights;
    rights.alunos = true;
    openSession(rights);
    w.applySession(QStringLiteral("X"));

    QString caption;
    QString question;
    bool animated = true;
    whenModal<app::TfrmSair>([&](app::TfrmSair *d) {
        caption = d->windowTitle();
        question = d->findChild<QLabel *>(QStringLiteral("lblPergunta"))->text();
        animated = d->hasAnimation();
        d->findChild<QPushButton *>(QStringLiteral("cmdNao"))->click();
    });
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QCOMPARE(caption, QStringLiteral("Fim de Programa"));
    QCOMPARE(question, QStringLiteral("Você deseja sair do programa agora?"));
    QVERIFY(!animated); // no doorin.gif here: shown without it
    QVERIFY(core::session().isOpen());
}

void TfrmMainTest::answeringYesCloses()
{
    TfrmMain w;
    w.show();
    whenModal<app::TfrmSair>([](app::TfrmSair *d) {
        QCOMPARE(d->findChild<QPushButton *>(QStringLiteral("cmdSim"))->text(),
                 QStringLiteral("&Sim"));
        d->findChild<QPushButton *>(QStringLiteral("cmdSim"))->click();
    });
    QTest::mouseClick(find(w, "ExplorerButton6"), Qt::LeftButton);
    QTRY_VERIFY(!w.isVisible());
}

void TfrmMainTest::theExitAnimationIsShownWhenItsFileExists()
{
    // The smallest GIF there is: one transparent pixel.
    const QByteArray gif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04"
                         "\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02"
                         "D\x01\x00;",
                         43);
    const QString door = m_program.write(QStringLiteral("doorin.gif"), gif);
    TfrmMain w;
    w.show();
    bool animated = false;
    whenModal<app::TfrmSair>([&](app::TfrmSair *d) {
        animated = d->hasAnimation();
        d->findChild<QPushButton *>(QStringLiteral("cmdNao"))->click();
    });
    w.close();
    QVERIFY(animated);

    // A damaged file is left out as silently as a missing one.
    m_program.write(QStringLiteral("doorin.gif"), "GIF89a broken");
    QVERIFY(!app::TfrmSair(door).hasAnimation());
    QFile::remove(door);

    QCOMPARE(app::answerEndsProgram(app::TfrmSair::kNo), false);
    QCOMPARE(app::answerEndsProgram(QDialog::Accepted), true);
    QCOMPARE(app::answerEndsProgram(QDialog::Rejected), true); // closing the box is no "Não"
}

void TfrmMainTest::aModuleRunsWithTheBarDisabledAndComesBackHome()
{
    TfrmMain w;
    w.show();
    TempDir elsewhere;
    bool barEnabledInside = true;
    bool busyInside = false;
    w.setModuleForm(app::Module::Alunos, [&](app::ModuleLauncher &) {
        barEnabledInside = find(w, "Panel1")->isEnabled();
        busyInside = QApplication::overrideCursor() &&
                     QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        QDir::setCurrent(elsewhere.path());
    });
    core::Rights rights;
    rights.alunos = true;
    openSession(rights);
    w.applySession(QStringLiteral("X"));

    QTest::mouseClick(find(w, "cmdAlunos"), Qt::LeftButton);
    QVERIFY(!barEnabledInside);
    QVERIFY(busyInside);
    QVERIFY(find(w, "Panel1")->isEnabled());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(QDir(QDir::currentPath()).canonicalPath(), QDir(m_program.path()).canonicalPath());
}

void TfrmMainTest::billingKeepsTheStatusText()
{
    TfrmMain w;
    w.setStatusText(app::dataLocationText(QStringLiteral("/srv/escola/2026")));
    w.setModuleForm(app::Module::Cobranca, [&](app::ModuleLauncher &) {
        w.setStatusText(QStringLiteral("Qtde de registros: 12"));
    });
    core::Rights rights;
    rights.carnes = true;
    openSession(rights);
    w.applySession(QStringLiteral("X"));
    static_cast<QToolButton *>(find(w, "cmdBoleto"))->click();
    QCOMPARE(w.statusText(), QStringLiteral("Localização da Base de dados: /srv/escola/2026"));
}

void TfrmMainTest::theFirstShowRunsTheSplashOnce()
{
    app::setFirstShowPending(true);
    TfrmMain w;
    w.setAboutInfo({QStringLiteral("COLÉGIO SÃO JOSÉ"), QStringLiteral("Rua A, 1"),
                    QStringLiteral("Salvador"), QStringLiteral("BA"),
                    QStringLiteral("12.345.678/0001-90"), QStringLiteral("2026")});
    bool panelHidden = false;
    QString caption;
    whenModal<app::TfrmSobre>([&](app::TfrmSobre *d) {
        panelHidden = !find(w, "Panel1")->isVisible();
        caption = d->windowTitle();
        d->findChild<QPushButton *>(QStringLiteral("OKButton"))->click();
    });
    w.show();
    QTRY_VERIFY(!app::firstShowPending());
    QVERIFY(panelHidden);
    QCOMPARE(caption, QStringLiteral("COLÉGIO SÃO JOSÉ"));
    QVERIFY(find(w, "Panel1")->isVisible());

    w.hide();
    w.show();
    QTest::qWait(50);
    QVERIFY(!QApplication::activeModalWidget());
}

void TfrmMainTest::networkRefreshTogglesAndWarns()
{
    ScriptedDialogs::Guard dialogs;
    TfrmMain w;
    QList<bool> timer;
    w.setNetworkRefreshHook([&](bool on) { timer.append(on); });
    openSession({});
    w.applySession(QStringLiteral("X"));

    action(w, "mnuAmbienteRede")->trigger();
    QVERIFY(w.networkRefresh());
    QCOMPARE(dialogs->shown().size(), 1);
    QCOMPARE(dialogs->last().text, app::networkRefreshMessage(true));
    QCOMPARE(dialogs->last().caption, QStringLiteral("Atenção"));
    QCOMPARE(dialogs->last().icon, core::Icon::Error);
    QCOMPARE(dialogs->last().buttons, core::Buttons(core::Button::Ok));

    action(w, "mnuAmbienteRede")->trigger();
    QVERIFY(!w.networkRefresh());
    QCOMPARE(dialogs->last().text, app::networkRefreshMessage(false));
    QCOMPARE(timer, (QList<bool>{true, false}));

    // Loading the settings sets the mark without a message.
    w.setNetworkRefresh(true);
    QVERIFY(action(w, "mnuAmbienteRede")->isChecked());
    QCOMPARE(dialogs->shown().size(), 2);
    QCOMPARE(timer.last(), true);
}

void TfrmMainTest::helpAndNewsGoThroughTheShell()
{
    TfrmMain w;
    action(w, "mnuTopicos")->trigger();
    QCOMPARE(m_shell->opened(), QStringList{m_program.file(QStringLiteral("AJUDA/default.htm"))});

    whenModal<app::TfrmSobre>([](app::TfrmSobre *d) {
        d->findChild<QPushButton *>(QStringLiteral("cmdNovidades"))->click();
        d->findChild<QPushButton *>(QStringLiteral("OKButton"))->click();
    });
    action(w, "mnuSobre")->trigger();
    QCOMPARE(m_shell->opened().last(), m_program.file(QStringLiteral("leiame.txt")));
}

void TfrmMainTest::theSchoolLogoReplacesTheBuiltInOne()
{
    TfrmMain w;
    const QSize builtIn = w.logo().size();
    w.reloadLogo(); // no logo.bmp: the built-in picture stays
    QCOMPARE(w.logo().size(), builtIn);

    QImage school(33, 21, QImage::Format_RGB32);
    school.fill(Qt::darkGreen);
    QVERIFY(school.save(m_program.file(QStringLiteral("logo.bmp")), "BMP"));
    w.reloadLogo();
    QFile::remove(m_program.file(QStringLiteral("logo.bmp")));
    QCOMPARE(w.logo().size(), QSize(33, 21));
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().size(), QSize(33, 21));
}

void TfrmMainTest::buttonsLightUpWithTheFocus()
{
    TfrmMain w;
    auto *exit = w.findChild<app::PictureButton *>(QStringLiteral("ExplorerButton6"));
    QVERIFY(!exit->showsOnPicture());
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(exit, &in);
    QVERIFY(exit->showsOnPicture());
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(exit, &out);
    QVERIFY(!exit->showsOnPicture());
}

QTEST_MAIN(TfrmMainTest)
#include "TfrmMainTest.moc"
