#include "app/logon/LogOnToggle.h"

#include "core/Dialogs.h"
#include "core/Session.h"
#include "data/users/LogOn.h"

#include <QDir>
#include <exception>

namespace app {

LogOnToggle::LogOnToggle(QString programDir, Window window, Data data, AskLogOn ask)
    : m_programDir(std::move(programDir)), m_window(std::move(window)), m_data(std::move(data)),
      m_ask(std::move(ask))
{
}

void LogOnToggle::toggle()
{
    QDir::setCurrent(m_programDir);
    if (core::session().isOpen())
        logOff();
    else
        logOn();
}

void LogOnToggle::logOff()
{
    m_window.showNoSession();
    m_data.close();
    core::session().clearUser();
}

bool LogOnToggle::logOn()
{
    core::session().clearUser();
    const std::optional<LogOnChoice> choice = m_ask();
    if (!choice)
        return false;
    m_window.showLogOffCaption();
    try {
        m_window.setStatusText(m_data.open(*choice));
        // The settings come first so the caption names the school of the year just opened.
        m_window.applySettings();
        m_window.showSession();
        m_window.reloadLogo();
    } catch (const std::exception &e) {
        // The session stays as far as it got; "Log OFF" ends it.
        core::dialogs().show(data::databaseAccessErrorMessage(e));
        return false;
    }
    return true;
}

} // namespace app
