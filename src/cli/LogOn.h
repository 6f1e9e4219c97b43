#pragma once

#include "core/ProgramDirs.h"
#include "data/users/LogOn.h"
#include "data/users/UserRecord.h"

#include <QString>
#include <optional>

namespace data {
class UsersTable;
}

// The command line's log-on, shared by the verbs that act as a user (post, delete, receipt,
// users): who runs the verb, the program directories the start-up fixes, and the user's check
// against the users table exactly as the log-on dialog checks it.
namespace cli {

class Args;
struct Context;

// --user and --password, else LUMESCO_USER and LUMESCO_PASSWORD.
struct Credentials
{
    QString user;
    QString password;
};
Credentials credentials(const Args &args);

// The program directories after the start-up's file steps; a failure of them is a Failure.
core::ProgramDirs programDirectories(const Context &context);

struct LogOnCheck
{
    QString user; // as given
    std::optional<data::UserRecord> accepted;
    data::LogOnOutcome outcome = data::LogOnOutcome::UnknownUser;
};
LogOnCheck checkLogOn(const Credentials &credentials, const data::UsersTable &users);
// The accepted user; otherwise a Failure with the text the log-on dialog shows.
data::UserRecord requireLogOn(const LogOnCheck &check);

} // namespace cli
