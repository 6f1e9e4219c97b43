#pragma once

#include "core/Dialogs.h"
#include "data/users/UserRecord.h"

#include <QString>
#include <optional>

namespace data {
class UsersTable;
}

namespace app {

// What the log-on dialog does after one of its actions: the box to show (none when the text is
// empty), the fields and the focus, and whether it closes. The dialog only carries it out.
struct DialogStep
{
    enum class Close { No, Cancelled, Accepted };
    enum class Focus { Unchanged, UserName, NewPassword, LogOnButton };

    core::Message message;
    Close close = Close::No;
    Focus focus = Focus::Unchanged;
    bool showNewPasswordFields = false;
    std::optional<QString> password; // the text "Senha:" takes
};

// The decisions behind "Identifique-se": who may enter, who must first create a password, and
// the saving of a new one, against the users table.
class LogOnFlow
{
public:
    explicit LogOnFlow(const data::UsersTable &users);

    // "Log ON" with the typed name and password; `yearChosen` tells whether a school year is
    // selected in the grid.
    DialogStep logOn(const QString &userId, const QString &password, bool yearChosen);
    // "Alterar Senha".
    DialogStep changePassword(const QString &userId, const QString &password);
    // Leaving "Confirme Nova Senha": the password goes to the user whose row opened the fields.
    DialogStep confirmNewPassword(const QString &newPassword, const QString &confirmation);

    // The user the last "Log ON" let in.
    const std::optional<data::UserRecord> &acceptedUser() const { return m_accepted; }

    // "SUPERVISOR" while the table still holds only the first user, who has no password yet: a
    // newcomer then finds the name already typed. Empty otherwise.
    QString suggestedUserName() const;

private:
    const data::UsersTable &m_users;
    std::optional<data::UserRecord> m_accepted;
    QString m_passwordOwner; // the user whose new-password fields are open
};

// Shown when the dialog is accepted without a school year (an empty or unreadable
// ConfigRede.txt, or a selection taken away).
core::Message noSchoolYearMessage();

// Shown instead of the dialog when the users table can't be opened (an empty or wrong line in
// Usuarios.Config.txt, a folder without permission); `detail` is the store's text.
core::Message usersTableErrorMessage(const QString &usersDir, const QString &detail);

} // namespace app
