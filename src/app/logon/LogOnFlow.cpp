#include "app/logon/LogOnFlow.h"

#include "data/users/LogOn.h"
#include "data/users/UsersTable.h"

namespace app {

namespace {

DialogStep openNewPasswordFields(core::Message message = {})
{
    DialogStep step;
    step.message = std::move(message);
    step.showNewPasswordFields = true;
    step.focus = DialogStep::Focus::NewPassword;
    return step;
}

} // namespace

LogOnFlow::LogOnFlow(const data::UsersTable &users) : m_users(users) {}

DialogStep LogOnFlow::logOn(const QString &userId, const QString &password, bool yearChosen)
{
    m_accepted.reset();
    const std::optional<data::UserRecord> user = m_users.find(userId);
    const data::LogOnOutcome outcome = data::decideLogOn(userId, user, password);
    const core::Message message = data::logOnMessage(outcome);
    switch (outcome) {
    case data::LogOnOutcome::UnknownUser:
    case data::LogOnOutcome::WrongPassword: {
        DialogStep step;
        step.message = message;
        step.close = DialogStep::Close::Cancelled;
        return step;
    }
    case data::LogOnOutcome::MustCreatePassword:
    case data::LogOnOutcome::UnprotectedPassword:
        m_passwordOwner = user->userId;
        return openNewPasswordFields(message);
    case data::LogOnOutcome::Accepted:
        data::refreshStoredPassword(m_users, *user, password);
        break;
    }
    DialogStep step;
    if (!yearChosen) {
        step.message = noSchoolYearMessage();
        return step;
    }
    m_accepted = user;
    step.close = DialogStep::Close::Accepted;
    return step;
}

DialogStep LogOnFlow::changePassword(const QString &userId, const QString &password)
{
    const std::optional<data::UserRecord> user = m_users.find(userId);
    switch (data::checkChangePassword(user, password)) {
    case data::ChangePasswordOutcome::UnknownUser:
        return {};
    case data::ChangePasswordOutcome::WrongPassword: {
        DialogStep step;
        step.message = data::changePasswordMessage(data::ChangePasswordOutcome::WrongPassword);
        step.focus = DialogStep::Focus::UserName;
        return step;
    }
    case data::ChangePasswordOutcome::Allowed:
        break;
    }
    m_passwordOwner = user->userId;
    return openNewPasswordFields();
}

DialogStep LogOnFlow::confirmNewPassword(const QString &newPassword, const QString &confirmation)
{
    const data::NewPasswordOutcome outcome =
        data::saveNewPassword(m_users, m_passwordOwner, newPassword, confirmation);
    DialogStep step;
    step.message = data::newPasswordMessage(outcome);
    switch (outcome) {
    case data::NewPasswordOutcome::EmptyField:
        break;
    case data::NewPasswordOutcome::Mismatch:
    case data::NewPasswordOutcome::SaveFailed:
        step.focus = DialogStep::Focus::NewPassword;
        break;
    case data::NewPasswordOutcome::Saved:
        step.password = newPassword;
        step.focus = DialogStep::Focus::LogOnButton;
        break;
    }
    return step;
}

QString LogOnFlow::suggestedUserName() const
{
    const QList<data::UserRecord> users = m_users.list();
    if (users.size() == 1 && users.first().supervisor && users.first().password.isEmpty())
        return users.first().userId;
    return QString();
}

core::Message noSchoolYearMessage()
{
    return {QStringLiteral("Nenhum Ano Letivo escolhido. Verifique o arquivo ConfigRede.txt."),
            QStringLiteral("Atenção"), core::Icon::Warning, core::Button::Ok};
}

core::Message usersTableErrorMessage(const QString &usersDir, const QString &detail)
{
    return {QStringLiteral("Não foi possível abrir a tabela de usuários em \"%1\".\r%2\r"
                           "Verifique o arquivo Usuarios.Config.txt.")
                .arg(usersDir, detail),
            QStringLiteral("Erro"), core::Icon::Error, core::Button::Ok};
}

} // namespace app
