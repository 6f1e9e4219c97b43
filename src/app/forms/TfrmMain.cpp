#include "app/forms/TfrmMain.h"

#include "app/Startup.h"
#include "app/forms/PictureButton.h"
#include "app/forms/TfrmSair.h"
#include "app/forms/TfrmSobre.h"
#include "core/Dialogs.h"
#include "core/ProgramDirs.h"
#include "core/Session.h"
#include "core/Shell.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

// The pictures live in this static library; Q_INIT_RESOURCE must be used outside a namespace.
static void initPictures()
{
    Q_INIT_RESOURCE(pictures);
}

namespace app {

namespace {

QString buttonOf(Module module)
{
    switch (module) {
    case Module::Alunos:
        return button::Alunos;
    case Module::Cobranca:
        return button::Boleto;
    case Module::Tabelas:
        return button::Tabelas;
    case Module::Caixa:
        return button::Caixa;
    case Module::Backup:
        return button::Backup;
    }
    return QString();
}

QIcon picture(const QString &name)
{
    return QIcon(QStringLiteral(":/app/%1.png").arg(name));
}

} // namespace

TfrmMain::TfrmMain(QWidget *parent)
    : QMainWindow(parent), m_staffTerm(defaultStaffTerm()),
      m_launcher(core::programDirs().program,
                 {[](bool busy) {
                      if (busy)
                          QApplication::setOverrideCursor(Qt::WaitCursor);
                      else
                          QApplication::restoreOverrideCursor();
                  },
                  [this](bool enabled) { setButtonBarEnabled(enabled); }})
{
    initPictures();
    setObjectName(QStringLiteral("frmMain"));
    m_logo = QPixmap(QStringLiteral(":/app/logo.png"));
    setWindowIcon(QIcon(m_logo));

    buildMenu();

    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildButtonBar());
    m_image = new QLabel(central);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_image, 1);
    setCentralWidget(central);
    m_image->setPixmap(m_logo);
    reloadLogo();

    buildStatusBar();

    setCommand(entry::Sair, [this] { close(); });
    setCommand(button::Sair, [this] { close(); });
    setCommand(entry::AmbienteRede, [this] { toggleNetworkRefresh(); });
    setCommand(entry::Topicos, [] {
        // Help pages are optional; a missing one is ignored.
        core::shell().open(core::joinPath(core::programDirs().help, QStringLiteral("default.htm")));
    });
    setCommand(entry::Sobre, [this] { showAbout(); });

    applyNoSession();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    for (const MenuEntry &e : mainMenuEntries()) {
        QMenu *parentMenu = m_menus.value(e.parent);
        if (e.separatorBefore && parentMenu)
            parentMenu->addSeparator();
        m_access.insert(e.objectName, e.access);
        if (e.kind == EntryKind::Menu) {
            auto *menu =
                new QMenu(e.caption, parentMenu ? static_cast<QWidget *>(parentMenu) : bar);
            menu->setObjectName(e.objectName);
            menu->menuAction()->setObjectName(e.objectName);
            if (parentMenu)
                parentMenu->addMenu(menu);
            else
                bar->addMenu(menu);
            m_menus.insert(e.objectName, menu);
            continue;
        }
        auto *action = new QAction(e.caption, parentMenu);
        action->setObjectName(e.objectName);
        action->setCheckable(e.kind == EntryKind::CheckCommand);
        action->setVisible(!e.hidden);
        parentMenu->addAction(action);
        m_actions.insert(e.objectName, action);
        const QString name = e.objectName;
        connect(action, &QAction::triggered, this, [this, name] { runCommand(name); });
    }
}

QWidget *TfrmMain::buildButtonBar()
{
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFrameShape(QFrame::StyledPanel);
    m_panel->setFixedWidth(69);
    auto *layout = new QVBoxLayout(m_panel);
    layout->setContentsMargins(2, 4, 2, 4);
    layout->setSpacing(4);
    for (const ButtonEntry &b : buttonBarEntries()) {
        auto *button = new PictureButton(b.caption, picture(b.picture + QStringLiteral("_off")),
                                         picture(b.picture + QStringLiteral("_on")), m_panel);
        button->setObjectName(b.objectName);
        button->setToolTip(b.hint);
        layout->addWidget(button);
        m_buttons.insert(b.objectName, button);
        m_access.insert(b.objectName, b.access);
        const QString name = b.objectName;
        connect(button, &QToolButton::clicked, this, [this, name] { runCommand(name); });
    }
    layout->addStretch();
    return m_panel;
}

void TfrmMain::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        m_statusPanels[i] = new QLabel(bar);
        m_statusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_statusPanels[i]->setFrameShape(QFrame::Panel);
        m_statusPanels[i]->setFrameShadow(QFrame::Sunken);
    }
    m_statusPanels[0]->setFixedWidth(450);
    m_statusPanels[1]->setText(creditLine());
    bar->addPermanentWidget(m_statusPanels[0]);
    bar->addPermanentWidget(m_statusPanels[1], 1);
}

void TfrmMain::applySession(const QString &schoolName)
{
    setWindowTitle(mainCaption(core::session(), schoolName));
    setLogOnCaption(core::session().isOpen());
    refreshCommandStates();
}

void TfrmMain::setLogOnCaption(bool sessionOpen)
{
    m_buttons.value(button::Logon)->setText(logOnButtonCaption(sessionOpen));
}

void TfrmMain::applyNoSession()
{
    core::session().clearUser();
    setStaffTerm(m_staffTerm);
    applySession(QString());
}

void TfrmMain::setStaffTerm(const QString &term)
{
    m_staffTerm = term;
    const StaffCaptions captions = staffTermCaptions(term);
    m_actions.value(entry::FichaFuncionario)->setText(captions.record);
    m_actions.value(entry::FuncAniversariantes)->setText(captions.birthdays);
}

void TfrmMain::setNetworkRefresh(bool on)
{
    m_actions.value(entry::AmbienteRede)->setChecked(on);
    if (m_networkHook)
        m_networkHook(on);
}

bool TfrmMain::networkRefresh() const
{
    return m_actions.value(entry::AmbienteRede)->isChecked();
}

void TfrmMain::setAboutInfo(const AboutInfo &info)
{
    m_about = info;
}

void TfrmMain::setStatusText(const QString &text)
{
    m_statusPanels[0]->setText(text);
}

QString TfrmMain::statusText() const
{
    return m_statusPanels[0]->text();
}

void TfrmMain::reloadLogo()
{
    const QPixmap school(core::joinPath(core::programDirs().program, QStringLiteral("logo.bmp")));
    if (school.isNull())
        return;
    m_logo = school;
    m_image->setPixmap(m_logo);
}

QPixmap TfrmMain::logo() const
{
    return m_logo;
}

void TfrmMain::setCommand(const QString &objectName, std::function<void()> command)
{
    Q_ASSERT(m_access.contains(objectName));
    m_commands.insert(objectName, std::move(command));
    refreshCommandStates();
}

void TfrmMain::setMenuForm(const QString &objectName, ModuleLauncher::OpenForm openForm)
{
    setCommand(objectName,
               [this, openForm = std::move(openForm)] { m_launcher.runCommand(openForm); });
}

void TfrmMain::setModuleForm(Module module, ModuleLauncher::OpenForm openForm)
{
    ModuleLauncher::OpenForm open = std::move(openForm);
    if (module == Module::Cobranca) {
        // The billing window writes its counts into the status bar; the text comes back after.
        open = [this, inner = std::move(open)](ModuleLauncher &launcher) {
            const QString saved = statusText();
            struct PutBack
            {
                TfrmMain *window;
                QString text;
                ~PutBack() { window->setStatusText(text); }
            } putBack{this, saved};
            inner(launcher);
        };
    }
    setCommand(buttonOf(module),
               [this, module, open = std::move(open)] { m_launcher.startModule(module, open); });
}

void TfrmMain::setNetworkRefreshHook(std::function<void(bool)> hook)
{
    m_networkHook = std::move(hook);
}

void TfrmMain::setButtonBarEnabled(bool enabled)
{
    m_panel->setEnabled(enabled);
}

void TfrmMain::refreshCommandStates()
{
    const core::Session &session = core::session();
    for (auto it = m_menus.cbegin(); it != m_menus.cend(); ++it)
        it.value()->menuAction()->setEnabled(allows(m_access.value(it.key()), session));
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        it.value()->setEnabled(m_commands.contains(it.key()) &&
                               allows(m_access.value(it.key()), session));
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it)
        it.value()->setEnabled(m_commands.contains(it.key()) &&
                               allows(m_access.value(it.key()), session));
}

void TfrmMain::runCommand(const QString &objectName)
{
    const auto command = m_commands.constFind(objectName);
    if (command != m_commands.cend())
        (*command)();
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Restoring from the task bar is a show too, but must not end the session.
    if (event->spontaneous())
        return;
    applyNoSession();
    if (firstShowPending() && !m_splashQueued) {
        m_splashQueued = true;
        m_panel->hide();
        // After the window is on screen, so the splash has a parent to sit on.
        QTimer::singleShot(0, this, &TfrmMain::showSplash);
    }
}

void TfrmMain::showSplash()
{
    showAbout();
    m_panel->show();
    setFirstShowPending(false);
}

void TfrmMain::showAbout()
{
    TfrmSobre about(m_about, m_logo, this);
    about.exec();
}

void TfrmMain::toggleNetworkRefresh()
{
    const bool on = networkRefresh();
    if (m_networkHook)
        m_networkHook(on);
    core::dialogs().show({networkRefreshMessage(on), QStringLiteral("Atenção"), core::Icon::Error,
                          core::Button::Ok});
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    TfrmSair question(core::joinPath(core::programDirs().program, QStringLiteral("doorin.gif")),
                      this);
    if (answerEndsProgram(question.exec()))
        event->accept();
    else
        event->ignore();
}

} // namespace app
