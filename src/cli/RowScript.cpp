#include "cli/RowScript.h"

#include "app/Startup.h"
#include "core/Clock.h"
#include "core/Dialogs.h"

#include <QDir>

namespace cli {

QList<data::FieldText> fieldTexts(const QStringList &arguments, const QString &what)
{
    QList<data::FieldText> list;
    for (const QString &argument : arguments) {
        const std::optional<data::FieldText> parsed = data::parseFieldText(argument);
        if (!parsed)
            throw Failure(QStringLiteral("esperado %1: %2").arg(what, argument), 2);
        list += *parsed;
    }
    return list;
}

RowScript::RowScript(const Args &args, const Context &context, const QString &dataDir, bool yes)
    : m_dataDir(dataDir),
      m_user(args.value(QStringLiteral("user"), qEnvironmentVariable("LUMESCO_USER"))),
      m_password(args.value(QStringLiteral("password"), qEnvironmentVariable("LUMESCO_PASSWORD")))
{
    if (!QDir(dataDir).exists())
        throw Failure(QStringLiteral("A pasta de dados não existe: %1").arg(QDir::toNativeSeparators(dataDir)));
    try {
        core::programDirs() = app::runStartupFileSteps(context.programDir, core::today());
    } catch (const app::StartupError &e) {
        throw Failure(e.message());
    }
    m_dialogs = new data::ScriptDialogs(yes);
    core::setDialogs(std::unique_ptr<core::Dialogs>(m_dialogs));
}

data::ScriptSession &RowScript::open()
{
    m_session = std::make_unique<data::ScriptSession>(core::programDirs().users, m_dataDir, m_user, m_password);
    return *m_session;
}

} // namespace cli
