#include "app/forms/SessionCommands.h"

#include "app/ConfigFiles.h"
#include "app/ModuleServices.h"
#include "app/forms/TPasswordDlg.h"
#include "app/forms/TfrmCriarUsuario.h"
#include "app/forms/TfrmMain.h"
#include "app/logon/LogOnFlow.h"
#include "core/Dialogs.h"
#include "core/ProgramDirs.h"
#include "data/forms/TfrmConfig.h"
#include "data/modules/SessionControl.h"
#include "data/modules/TDataModule1.h"
#include "data/modules/TdmTarnel.h"
#include "data/settings/Settings.h"
#include "data/users/UsersTable.h"

#include <memory>

namespace app {

namespace {

AboutInfo aboutInfoFrom(const data::Settings &s)
{
    return {s.Estabel, s.Endereco, s.Municipio, s.UF, s.CGC, s.Ano_Ref};
}

} // namespace

SessionCommands::SessionCommands(TfrmMain &window, const ModuleServices &services)
    : m_window(window), m_academic(*services.academic), m_cashBook(*services.cashBook),
      m_toggle(core::programDirs().program,
               {[this] { m_window.applyNoSession(); },
                [this] { m_window.setLogOnCaption(true); },
                [this](const QString &text) { m_window.setStatusText(text); },
                [this] { applySettings(); }, [this] { showSession(); },
                [this] { m_window.reloadLogo(); }},
               {[this](const LogOnChoice &choice) {
                    return data::openSession(m_academic, m_cashBook, choice.user,
                                             QString::number(choice.year.year), choice.year.path)
                        .statusText;
                },
                [this] { data::closeSession(m_academic, m_cashBook); }},
               [this] { return askLogOn(); })
{
    m_window.setCommand(button::Logon, [this] { m_toggle.toggle(); });
    m_window.setCommand(entry::LogOnOff, [this] { m_toggle.toggle(); });

    m_window.setMenuForm(entry::Preferencias, [this](ModuleLauncher &launcher) {
        TfrmConfig form(&m_window);
        launcher.restoreCursor();
        form.exec();
        // A new term or, on a new school year, the school's name shows at once. The network
        // check mark stays as the supervisor left it in the menu.
        showSettings();
        showSession();
    });
    m_window.setMenuForm(entry::CadastroUsuarios, [this](ModuleLauncher &launcher) {
        TfrmCriarUsuario form(core::programDirs().users, &m_window);
        launcher.restoreCursor();
        form.exec();
    });

    m_window.setNetworkRefreshHook([this](bool on) { m_academic.setNetworkRefresh(on); });
    m_window.launcher().setCloseTables([this](TablesToClose tables) {
        if (tables != TablesToClose::None)
            m_academic.closeTables(tables == TablesToClose::AcademicAndSettings);
    });
}

std::optional<LogOnChoice> SessionCommands::askLogOn()
{
    const QString usersDir = core::programDirs().users;
    std::unique_ptr<data::UsersTable> users;
    try {
        users = std::make_unique<data::UsersTable>(usersDir);
    } catch (const std::exception &e) {
        core::dialogs().show(usersTableErrorMessage(usersDir, QString::fromUtf8(e.what())));
        return std::nullopt;
    }
    TPasswordDlg dialog(*users, readSchoolYears(configRedePath(core::programDirs().program)),
                        &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

void SessionCommands::applySettings()
{
    showSettings();
    m_window.setNetworkRefresh(data::settings().Usa_Rede);
}

void SessionCommands::showSettings()
{
    const data::Settings &s = data::settings();
    m_window.setStaffTerm(s.Termo_Func);
    m_window.setAboutInfo(aboutInfoFrom(s));
}

void SessionCommands::showSession()
{
    m_window.applySession(data::settings().Estabel);
}

} // namespace app
