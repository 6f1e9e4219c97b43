#pragma once

#include "data/store/Database.h"
#include "data/users/UserRecord.h"

#include <QList>
#include <optional>

namespace data {

// The users table of the users directory, shared by every school year.
class UsersTable
{
public:
    // Opens the table, creating it with the single user "SUPERVISOR" (every right, no
    // password) when the directory has none, and widening the password column of a table
    // from an older installation so it can hold a hash. Throws StoreError.
    explicit UsersTable(const QString &usersDir);

    QString directory() const { return m_db.directory(); }
    Database database() const { return m_db; }

    // The user whose UserID is exactly `userId`.
    std::optional<UserRecord> find(const QString &userId) const;
    // Every user, by UserID.
    QList<UserRecord> list() const;

    // Appends a user with a blank password (the user creates it at the first log-on).
    // Throws StoreError for a blank or too long name, or one that exists already.
    void add(const UserRecord &user) const;

    // Stores `password` in its hashed form. Throws StoreError when the user does not exist
    // or the row cannot be written.
    void setPassword(const QString &userId, const QString &password) const;

private:
    Database m_db;
};

// Characters a user name may have.
inline constexpr int kUserIdWidth = 10;

} // namespace data
