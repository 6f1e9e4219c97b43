#pragma once

#include "app/AboutInfo.h"
#include "app/CommandHost.h"
#include "app/MainCommands.h"
#include "app/ModuleLauncher.h"

#include <QHash>
#include <QMainWindow>
#include <QPixmap>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QMenu;

namespace app {

class PictureButton;

// The shell of the program: menu, left button bar, logo and status bar. Every command starts
// here; the window itself only shows state and dispatches. Commands are plugged in by the
// parts of the program that own their forms; an entry without a command stays disabled.
class TfrmMain : public QMainWindow, public CommandHost
{
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);
    ~TfrmMain() override;

    // --- Session. Log-on and log-off update core::session() first, then call one of these.
    // Caption, "Log OFF", and every command as the session's rights allow.
    void applySession(const QString &schoolName);
    // Caption without a user, "Log ON", rights cleared, module buttons and menus disabled.
    void applyNoSession();
    // Only the caption of the log-on button, for a log-on whose data is still opening.
    void setLogOnCaption(bool sessionOpen);

    // --- Settings, applied whenever they are loaded.
    void setStaffTerm(const QString &term);
    // Sets the check mark of "Ambiente de Rede" and tells the refresh hook, without a message.
    void setNetworkRefresh(bool on);
    bool networkRefresh() const;
    void setAboutInfo(const AboutInfo &info);

    // --- Status bar panel 0 and the logo.
    void setStatusText(const QString &text);
    QString statusText() const;
    // Loads "logo.bmp" from the program directory; keeps the current picture when it can't.
    void reloadLogo();
    QPixmap logo() const;

    // --- Plugging commands in.
    // A plain command behind a menu entry or button (the log-on toggle, for one).
    void setCommand(const QString &objectName, std::function<void()> command) override;
    // A menu entry that opens a form: run through the launcher, without closing tables.
    void setMenuForm(const QString &objectName, ModuleLauncher::OpenForm openForm) override;
    // A module button (Alunos, Cobrança, Tabelas, Caixa, Back-Ups).
    void setModuleForm(Module module, ModuleLauncher::OpenForm openForm) override;
    // Starts or stops the data module's refresh timer.
    void setNetworkRefreshHook(std::function<void(bool on)> hook);
    ModuleLauncher &launcher() { return m_launcher; }

    // Module forms may switch the bar back on when they close; the launcher does it anyway.
    void setButtonBarEnabled(bool enabled);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();
    QWidget *buildButtonBar();
    void buildStatusBar();
    void refreshCommandStates();
    void runCommand(const QString &objectName);
    void showSplash();
    void showAbout();
    void toggleNetworkRefresh();

    QHash<QString, Access> m_access;
    QHash<QString, std::function<void()>> m_commands;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QHash<QString, PictureButton *> m_buttons;
    QFrame *m_panel = nullptr;
    QLabel *m_image = nullptr;
    QLabel *m_statusPanels[2] = {nullptr, nullptr};
    QPixmap m_logo;
    AboutInfo m_about;
    QString m_staffTerm;
    std::function<void(bool)> m_networkHook;
    ModuleLauncher m_launcher;
    bool m_splashQueued = false;
};

} // namespace app
