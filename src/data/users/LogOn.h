#pragma once

#include "core/Dialogs.h"
#include "data/users/UserRecord.h"

#include <exception>
#include <optional>

// The decisions of the log-on dialog, apart from the dialog: who may enter, who must create a
// password first, and the checks of a new password. The dialog shows the message of each
// outcome and moves the focus; nothing here shows anything.
namespace data {

class UsersTable;

enum class LogOnOutcome {
    UnknownUser,         // "Usuário Inválido!", the dialog closes cancelled
    MustCreatePassword,  // nothing stored, nothing typed: the new-password fields open
    UnprotectedPassword, // stored as typed, without protection: a new password is asked
    WrongPassword,       // "Senha não Confere!", the dialog closes cancelled
    Accepted,            // the rights go into the session
};

// `user` is the row found for the typed name `userId`. Every outcome but Accepted is written to
// the diagnostic log with its cause (never the password).
LogOnOutcome decideLogOn(const QString &userId, const std::optional<UserRecord> &user,
                         const QString &typedPassword);

// True when `typed` is the password `stored` keeps: a hash of it, its older scrambled form,
// its plain text, or both blank.
bool passwordMatches(const QString &stored, const QString &typed);

// The box the dialog shows for an outcome; Accepted has none (an empty text).
core::Message logOnMessage(LogOnOutcome outcome);

// After an accepted log-on with a password: stores it again, hashed at today's cost, when its
// stored form is of an older method or cost (or the older scrambled form). A failed write is
// logged and the log-on stands.
void refreshStoredPassword(const UsersTable &users, const UserRecord &user, const QString &typed);

// A log-on without the dialog, for scripts: the user when accepted. Every other outcome is a
// refusal (a user who still has to create a password, too), logged; `outcome` tells which.
std::optional<UserRecord> logOnWithoutDialog(const UsersTable &users, const QString &userId,
                                             const QString &password, LogOnOutcome *outcome = nullptr);

// "Alterar Senha": the new-password fields open only for the right password.
enum class ChangePasswordOutcome {
    UnknownUser,   // nothing happens
    WrongPassword, // "Senha não Confere!", focus back on "Usuário"
    Allowed,
};
ChangePasswordOutcome checkChangePassword(const std::optional<UserRecord> &user,
                                          const QString &typedPassword);
core::Message changePasswordMessage(ChangePasswordOutcome outcome);

// Leaving "Confirme Nova Senha".
enum class NewPasswordOutcome {
    EmptyField, // "Campos não podem estar vazios! Tente novamente."
    Mismatch,   // "Campos não conferem! Tente novamente.", focus on the first field
    SaveFailed, // "Erro ao gravar a nova senha!", focus on the first field
    Saved,      // the new password goes into "Senha:" and the focus to "Log ON"
};
NewPasswordOutcome checkNewPassword(const QString &newPassword, const QString &confirmation);
// The checks, then the hashed password written into the user's row; a failure to write is
// logged with the store's text.
NewPasswordOutcome saveNewPassword(const UsersTable &users, const QString &userId,
                                   const QString &newPassword, const QString &confirmation);
core::Message newPasswordMessage(NewPasswordOutcome outcome);

// "Erro no acesso à base de dados.", shown when the start-up after an accepted log-on fails;
// `cause` (the store's text) goes to the diagnostic log, where support finds it.
core::Message databaseAccessErrorMessage(const std::exception &cause);

} // namespace data
