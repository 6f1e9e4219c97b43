#include "data/users/LogOn.h"

#include "core/Diagnostics.h"
#include "data/users/PasswordHash.h"
#include "data/users/PasswordScrambler.h"
#include "data/store/StoreError.h"
#include "data/users/UsersTable.h"

namespace data {

namespace {

bool isBlank(const QString &text)
{
    return text.trimmed().isEmpty();
}

core::Message box(const QString &text, core::Icon icon,
                  core::Buttons buttons = core::Button::Ok)
{
    core::Message message;
    message.text = text;
    message.icon = icon;
    message.buttons = buttons;
    switch (icon) {
    case core::Icon::Error:
        message.caption = QStringLiteral("Erro");
        break;
    case core::Icon::Warning:
        message.caption = QStringLiteral("Atenção");
        break;
    default:
        message.caption = QStringLiteral("Informação");
        break;
    }
    return message;
}

const QString kWrongPassword = QStringLiteral("Senha não Confere!");

// Why a log-on did not go through, for the diagnostic log. The password never goes there.
struct OutcomeNote
{
    LogOnOutcome outcome;
    bool refusal;
    const char *text; // %1: the user's name
};
constexpr OutcomeNote kOutcomeNotes[] = {
    {LogOnOutcome::UnknownUser, true, "log-on recusado: o usuário %1 não está na tabela de usuários"},
    {LogOnOutcome::WrongPassword, true, "log-on recusado: a senha não confere para o usuário %1"},
    {LogOnOutcome::MustCreatePassword, false, "o usuário %1 ainda não tem senha: pede-se uma nova"},
    {LogOnOutcome::UnprotectedPassword, false,
     "a senha do usuário %1 está gravada sem proteção: pede-se uma nova"},
    {LogOnOutcome::Accepted, false, "log-on de %1 aceito"},
};

void logOutcome(const QString &userId, LogOnOutcome outcome)
{
    for (const OutcomeNote &note : kOutcomeNotes) {
        if (note.outcome != outcome)
            continue;
        const QString text = QString::fromUtf8(note.text).arg(u'"' + userId + u'"');
        if (note.refusal)
            qCWarning(core::lcLogOn).noquote() << text;
        else
            qCInfo(core::lcLogOn).noquote() << text;
    }
}

} // namespace

bool passwordMatches(const QString &stored, const QString &typed)
{
    if (isBlank(stored))
        return isBlank(typed);
    if (isPasswordHash(stored))
        return verifyPasswordHash(stored, typed);
    return scramblePassword(stored) == typed || stored == typed;
}

namespace {

LogOnOutcome decide(const std::optional<UserRecord> &user, const QString &typedPassword)
{
    if (!user)
        return LogOnOutcome::UnknownUser;
    const QString &stored = user->password;
    if (isBlank(stored) && isBlank(typedPassword))
        return LogOnOutcome::MustCreatePassword;
    // A hash typed back as it stands is no password: only a value stored in plain text counts.
    if (!isPasswordHash(stored) && !isBlank(stored) && stored == typedPassword)
        return LogOnOutcome::UnprotectedPassword;
    const bool matches = isPasswordHash(stored) ? verifyPasswordHash(stored, typedPassword)
                                                : scramblePassword(stored) == typedPassword;
    return matches ? LogOnOutcome::Accepted : LogOnOutcome::WrongPassword;
}

} // namespace

LogOnOutcome decideLogOn(const QString &userId, const std::optional<UserRecord> &user,
                         const QString &typedPassword)
{
    const LogOnOutcome outcome = decide(user, typedPassword);
    logOutcome(userId, outcome);
    return outcome;
}

core::Message logOnMessage(LogOnOutcome outcome)
{
    const core::Buttons okCancel = core::Button::Ok | core::Button::Cancel;
    switch (outcome) {
    case LogOnOutcome::UnknownUser:
        return box(QStringLiteral("Usuário Inválido!"), core::Icon::Error);
    case LogOnOutcome::MustCreatePassword:
        return box(QStringLiteral("Informe a senha para iniciar"), core::Icon::Warning, okCancel);
    case LogOnOutcome::UnprotectedPassword:
        return box(QStringLiteral("Sua senha está sem proteção.\rInforme uma nova senha!"),
                   core::Icon::Warning, okCancel);
    case LogOnOutcome::WrongPassword:
        return box(kWrongPassword, core::Icon::Error);
    case LogOnOutcome::Accepted:
        break;
    }
    return {};
}

void refreshStoredPassword(const UsersTable &users, const UserRecord &user, const QString &typed)
{
    if (isBlank(user.password) || !passwordHashNeedsRefresh(user.password))
        return;
    try {
        users.setPassword(user.userId, typed);
        qCInfo(core::lcLogOn).noquote()
            << QStringLiteral("senha do usuário \"%1\" guardada de novo no formato atual").arg(user.userId);
    } catch (const StoreError &e) {
        qCWarning(core::lcLogOn).noquote()
            << QStringLiteral("senha do usuário \"%1\" não pôde ser guardada no formato atual: %2")
                   .arg(user.userId, e.message());
    }
}

std::optional<UserRecord> logOnWithoutDialog(const UsersTable &users, const QString &userId,
                                             const QString &password, LogOnOutcome *outcome)
{
    const std::optional<UserRecord> user = users.find(userId);
    const LogOnOutcome decided = decideLogOn(userId, user, password);
    if (outcome)
        *outcome = decided;
    if (decided == LogOnOutcome::MustCreatePassword || decided == LogOnOutcome::UnprotectedPassword)
        qCWarning(core::lcLogOn).noquote()
            << QStringLiteral("log-on sem diálogo recusado: o usuário \"%1\" precisa criar uma "
                              "senha nova no programa")
                   .arg(userId);
    if (decided != LogOnOutcome::Accepted)
        return std::nullopt;
    refreshStoredPassword(users, *user, password);
    return user;
}

ChangePasswordOutcome checkChangePassword(const std::optional<UserRecord> &user,
                                          const QString &typedPassword)
{
    if (!user)
        return ChangePasswordOutcome::UnknownUser;
    if (passwordMatches(user->password, typedPassword))
        return ChangePasswordOutcome::Allowed;
    qCWarning(core::lcLogOn).noquote()
        << QStringLiteral("troca de senha recusada: a senha não confere para o usuário \"%1\"")
               .arg(user->userId);
    return ChangePasswordOutcome::WrongPassword;
}

core::Message changePasswordMessage(ChangePasswordOutcome outcome)
{
    if (outcome == ChangePasswordOutcome::WrongPassword)
        return box(kWrongPassword, core::Icon::Error);
    return {};
}

NewPasswordOutcome checkNewPassword(const QString &newPassword, const QString &confirmation)
{
    if (isBlank(newPassword) || isBlank(confirmation))
        return NewPasswordOutcome::EmptyField;
    if (newPassword != confirmation)
        return NewPasswordOutcome::Mismatch;
    return NewPasswordOutcome::Saved;
}

NewPasswordOutcome saveNewPassword(const UsersTable &users, const QString &userId,
                                   const QString &newPassword, const QString &confirmation)
{
    const NewPasswordOutcome checked = checkNewPassword(newPassword, confirmation);
    if (checked != NewPasswordOutcome::Saved)
        return checked;
    try {
        users.setPassword(userId, newPassword);
    } catch (const std::exception &e) {
        qCWarning(core::lcLogOn).noquote()
            << QStringLiteral("não foi possível gravar a nova senha do usuário \"%1\": %2")
                   .arg(userId, QString::fromUtf8(e.what()));
        return NewPasswordOutcome::SaveFailed;
    }
    return NewPasswordOutcome::Saved;
}

core::Message newPasswordMessage(NewPasswordOutcome outcome)
{
    switch (outcome) {
    case NewPasswordOutcome::EmptyField:
        return box(QStringLiteral("Campos não podem estar vazios! Tente novamente."),
                   core::Icon::Information);
    case NewPasswordOutcome::Mismatch:
        return box(QStringLiteral("Campos não conferem! Tente novamente."), core::Icon::Error);
    case NewPasswordOutcome::SaveFailed:
        return box(QStringLiteral("Erro ao gravar a nova senha!"), core::Icon::Error);
    case NewPasswordOutcome::Saved:
        break;
    }
    return {};
}

core::Message databaseAccessErrorMessage(const std::exception &cause)
{
    qCWarning(core::lcLogOn).noquote()
        << QStringLiteral("o ano letivo não abriu depois do log-on: %1")
               .arg(QString::fromUtf8(cause.what()));
    return box(QStringLiteral("Erro no acesso à base de dados."), core::Icon::Error);
}

} // namespace data
