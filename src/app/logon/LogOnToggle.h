#pragma once

#include "app/ConfigFiles.h"
#include "data/users/UserRecord.h"

#include <QString>
#include <functional>
#include <optional>

namespace app {

// What the log-on dialog hands back when accepted.
struct LogOnChoice
{
    data::UserRecord user;
    SchoolYear year;
};

// The button "Log ON"/"Log OFF" and the entry "&Log on / Log Off": the same toggle. Log-on asks
// who is working and on which school year, opens that year's data with the user's rights, and
// shows the result in the main window; log-off closes it all again.
class LogOnToggle
{
public:
    // The main window's part.
    struct Window
    {
        std::function<void()> showNoSession;     // "Log ON", commands off, caption without user
        std::function<void()> showLogOffCaption; // "Log OFF", before the data opens
        std::function<void(const QString &text)> setStatusText;
        std::function<void()> applySettings;     // staff term, "Ambiente de Rede", about box
        std::function<void()> showSession;       // commands by rights, caption with the school
        std::function<void()> reloadLogo;
    };
    // The data modules' part. `open` puts the user, the year and the directory into the
    // session, runs the school year's start-ups with the user's rights and loads the settings;
    // it returns the status-bar text and throws on any failure.
    struct Data
    {
        std::function<QString(const LogOnChoice &choice)> open;
        std::function<void()> close;
    };
    // Shows the log-on dialog; nullopt when cancelled.
    using AskLogOn = std::function<std::optional<LogOnChoice>()>;

    LogOnToggle(QString programDir, Window window, Data data, AskLogOn ask);

    void toggle();
    void logOff();
    // False when the dialog was cancelled or the data could not be opened.
    bool logOn();

private:
    QString m_programDir;
    Window m_window;
    Data m_data;
    AskLogOn m_ask;
};

} // namespace app
