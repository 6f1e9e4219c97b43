#include "cli/LogOn.h"

#include "app/Startup.h"
#include "cli/Verb.h"
#include "core/Clock.h"
#include "data/users/UsersTable.h"

namespace cli {

Credentials credentials(const Args &args)
{
    return {args.value(QStringLiteral("user"), qEnvironmentVariable("LUMESCO_USER")),
            args.value(QStringLiteral("password"), qEnvironmentVariable("LUMESCO_PASSWORD"))};
}

core::ProgramDirs programDirectories(const Context &context)
{
    try {
        return app::runStartupFileSteps(context.programDir, core::today());
    } catch (const app::StartupError &e) {
        throw Failure(e.message());
    }
}

LogOnCheck checkLogOn(const Credentials &credentials, const data::UsersTable &users)
{
    LogOnCheck check;
    check.user = credentials.user;
    check.accepted = data::logOnWithoutDialog(users, credentials.user, credentials.password, &check.outcome);
    return check;
}

data::UserRecord requireLogOn(const LogOnCheck &check)
{
    if (!check.accepted)
        throw Failure(oneLine(data::logOnMessage(check.outcome).text));
    return *check.accepted;
}

} // namespace cli
