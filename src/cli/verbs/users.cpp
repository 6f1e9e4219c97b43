// users: the users table of the users directory (Usuarios.Config.txt): list the users, add
// one, or set a password. Adding needs a supervisor; a password may be set by a supervisor,
// or by the user who may set one at log-on (a first password, or a new one).

#include "cli/LogOn.h"
#include "cli/Verb.h"
#include "data/users/PasswordHash.h"
#include "data/users/UsersTable.h"

namespace {

void requireSupervisor(const cli::LogOnCheck &caller)
{
    if (!cli::requireLogOn(caller).supervisor)
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
    core::SemicolonTable table;
    table.fieldNames = {QStringLiteral("UserID"), QStringLiteral("Senha"), QStringLiteral("Supervisor"),
                        QStringLiteral("Alunos"), QStringLiteral("Carnes"), QStringLiteral("Notas"),
                        QStringLiteral("Tabelas"), QStringLiteral("Caixa"), QStringLiteral("Backup")};
    for (const data::UserRecord &u : users.list())
        table.rows += QStringList{u.userId, passwordState(u.password), flag(u.supervisor), flag(u.rights.alunos),
                                  flag(u.rights.carnes), flag(u.rights.notas), flag(u.rights.tabelas),
                                  flag(u.rights.caixa), flag(u.rights.backup)};
    cli::printRows(context.out, table);
    return 0;
}

int add(const cli::Args &args, const data::UsersTable &users, cli::Context &context)
{
    requireSupervisor(cli::checkLogOn(cli::credentials(args), users));
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
    const cli::LogOnCheck caller = cli::checkLogOn(cli::credentials(args), users);
    // The dialog lets users set their own password when it is blank or unprotected, and after
    // the right one; anyone else's needs a supervisor.
    const bool ownPassword = caller.user == target
        && (caller.outcome == data::LogOnOutcome::Accepted
            || caller.outcome == data::LogOnOutcome::MustCreatePassword
            || caller.outcome == data::LogOnOutcome::UnprotectedPassword);
    if (!ownPassword)
        requireSupervisor(caller);
    if (!users.find(target))
        throw cli::Failure(cli::oneLine(data::logOnMessage(data::LogOnOutcome::UnknownUser).text));
    const data::NewPasswordOutcome outcome = data::saveNewPassword(users, target, password, password);
    if (outcome != data::NewPasswordOutcome::Saved)
        throw cli::Failure(cli::oneLine(data::newPasswordMessage(outcome).text));
    context.out << target << '\n';
    return 0;
}

const cli::Verb verb{
    "users", "users list | add NOME [--rights Alunos,Notas,...] | passwd NOME NOVA_SENHA [--user U --password P]",
    "lista os usuários, cadastra um usuário (supervisor) ou grava uma senha",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {});
        args.allowOnly({QStringLiteral("user"), QStringLiteral("password"), QStringLiteral("rights")});
        const data::UsersTable users(cli::programDirectories(context).users);
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
