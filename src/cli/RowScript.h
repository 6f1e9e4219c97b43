#pragma once

#include "cli/LogOn.h"
#include "cli/Verb.h"
#include "data/modules/ScriptSession.h"

#include <QList>
#include <memory>

// What the verbs that change rows share: field=value arguments, and a script session opened as
// a log-on with the user of --user/--password (or LUMESCO_USER/LUMESCO_PASSWORD).
namespace cli {

// "CAMPO=VALOR" arguments; a malformed one is a usage error naming `what` ("--key CAMPO=VALOR").
QList<data::FieldText> fieldTexts(const QStringList &arguments, const QString &what);

class RowScript
{
public:
    // Checks that the data directory exists, runs the start-up's file steps for the program
    // directory and installs the script's dialogs (questions answered yes with `yes`).
    RowScript(const Args &args, const Context &context, const QString &dataDir, bool yes);

    // Opens the session; throws data::StoreError (a refused log-on among them).
    data::ScriptSession &open();
    // Error boxes shown so far: a change that ends in one is undone.
    int errorCount() const { return m_dialogs->errorCount(); }

private:
    QString m_dataDir;
    Credentials m_credentials;
    data::ScriptDialogs *m_dialogs;
    std::unique_ptr<data::ScriptSession> m_session;
};

} // namespace cli
