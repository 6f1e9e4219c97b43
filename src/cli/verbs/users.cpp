// users: the users table of the users directory (Usuarios.Config.txt): list the users, add
// one, or set a password. Adding needs a supervisor; a password may be set by a supervisor,
// or by the user who may set one at log-on (a first password, or a new one).

#include "app/Startup.h"
#include "cli/Verb.h"
#include "core/Clock.h"
#include "data/users/LogOn.h"
#include "data/users/PasswordHash.h"
#include "data/users/UsersTable.h"

namespace {

QString readable(const core::Message &message)
{
    return QString(message.text).replace(u'\r', u' ');
}

struct Caller
{
    QString name;
    std::optional<data::UserRecord> user; // when accepted
    data::LogOnOutcome outcome = data::LogOnOutcome::UnknownUser;
};

Caller identify(const cli::Args &args, const data::UsersTable &users)
{
    Caller caller;
    caller.name = args.value(QStringLiteral("user"), qEnvironmentVariable("LUMESCO_USER"));
    const QString password = args.value(QStringLiteral("password"), qEnvironmentVariable("LUMESCO_PASSWORD"));
    caller.user = data::logOnWithoutDialog(users, caller.name, password, &caller.outcome);
    return caller;
}

void requireSupervisor(const Caller &caller)
{
    if (!caller.user)
        throw cli::Failure(readable(data::logOnMessage(caller.outcome)));
    if (!caller.user->supervisor)
        throw cli::Failure(QStringLiteral("Somente um supervisor pode fazer isto."));
}

QString passwordState(const QString &stored)
{
    if (stored.trimmed().isEmpty())
        return QString();
    return data::isPasswordHash(stored) ? QStringLiteral("protegida") : QStringLiteral("antiga");
}

QString flag(bool on)
{
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

int list(const data::UsersTable &users, cli::Context &context)
{
    QList<QStringList> rows;
    for (const data::UserRecord &u : users.list())
        rows += QStringList{u.userId, passwordState(u.password), flag(u.supervisor), flag(u.rights.alunos),
                            flag(u.rights.carnes), flag(u.rights.notas), flag(u.rights.tabelas),
                            flag(u.rights.caixa), flag(u.rights.backup)};
    cli::printRows(context.out,
                   {QStringLiteral("UserID"), QStringLiteral("Senha"), QStringLiteral("Supervisor"),
                    QStringLiteral("Alunos"), QStringLiteral("Carnes"), QStringLiteral("Notas"),
                    QStringLiteral("Tabelas"), QStringLiteral("Caixa"), QStringLiteral("Backup")},
                   rows);
    return 0;
}

int add(const cli::Args &args, const data::UsersTable &users, cli::Context &context)
{
    requireSupervisor(identify(args, users));
    data::UserRecord user;
    user.userId = args.positional(1, QStringLiteral("NOME"));
    for (const QString &right : args.value(QStringLiteral("rights")).split(u',', Qt::SkipEmptyParts)) {
        if (!data::grantRight(user, right))
            throw cli::Failure(QStringLiteral("direito desconhecido: %1 (use %2)")
                                   .arg(right, data::kRightNames.join(u',')), 2);
    }
    users.add(user);
    context.out << user.userId << ';' << data::rightNames(user).join(u',') << '\n';
    return 0;
}

int passwd(const cli::Args &args, const data::UsersTable &users, cli::Context &context)
{
    const QString target = args.positional(1, QStringLiteral("NOME"));
    const QString password = args.positional(2, QStringLiteral("NOVA_SENHA"));
    const Caller caller = identify(args, users);
    // The dialog lets users set their own password when it is blank or unprotected, and after
    // the right one; anyone else's needs a supervisor.
    const bool ownPassword = caller.name == target
        && (caller.outcome == data::LogOnOutcome::Accepted
            || caller.outcome == data::LogOnOutcome::MustCreatePassword
            || caller.outcome == data::LogOnOutcome::UnprotectedPassword);
    if (!ownPassword)
        requireSupervisor(caller);
    if (!users.find(target))
        throw cli::Failure(readable(data::logOnMessage(data::LogOnOutcome::UnknownUser)));
    const data::NewPasswordOutcome outcome = data::saveNewPassword(users, target, password, password);
    if (outcome != data::NewPasswordOutcome::Saved)
        throw cli::Failure(readable(data::newPasswordMessage(outcome)));
    context.out << target << '\n';
    return 0;
}

const cli::Verb verb{
    "users", "users list | add NOME [--rights Alunos,Notas,...] | passwd NOME NOVA_SENHA [--user U --password P]",
    "lista os usuários, cadastra um usuário (supervisor) ou grava uma senha",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {});
        args.allowOnly({QStringLiteral("user"), QStringLiteral("password"), QStringLiteral("rights")});
        core::ProgramDirs dirs;
        try {
            dirs = app::runStartupFileSteps(context.programDir, core::today());
        } catch (const app::StartupError &e) {
            throw cli::Failure(e.message());
        }
        const data::UsersTable users(dirs.users);
        const QString action = args.positional(0, QStringLiteral("list|add|passwd"));
        if (action == u"list")
            return list(users, context);
        if (action == u"add")
            return add(args, users, context);
        if (action == u"passwd")
            return passwd(args, users, context);
        throw cli::Failure(QStringLiteral("ação desconhecida: %1 (list, add ou passwd)").arg(action), 2);
    }};

} // namespace
