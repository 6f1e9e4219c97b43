#pragma once

#include <QString>

// The engine a test executable runs on. CTest runs the suites that hold school years twice: on
// SQLite files, and with LUMESCO_TEST_ENGINE=postgresql on the throw-away server whose address
// scripts/test.sh puts in LUMESCO_TEST_POSTGRESQL.
namespace testengine {

bool onServer();
// Where a test's school year lives: `folder` itself, or a fresh server year of its own.
QString yearLocation(const QString &folder);
// The school's users on the server (one schema for the whole test database), else `folder`.
QString usersLocation(const QString &folder);
// Drops the server years this process made (the store's connections closed first).
void dropServerYears();

// The users on the server are one schema for the whole test database, shared by the suites that
// run side by side. A test that logs on through it holds it while it runs (the others wait their
// turn) and starts without a users table, as in a new folder. On files: `folder`, nothing held.
class UsersHeld
{
public:
    explicit UsersHeld(const QString &folder);
    ~UsersHeld();
    UsersHeld(const UsersHeld &) = delete;
    UsersHeld &operator=(const UsersHeld &) = delete;

    const QString &location() const { return m_location; }

private:
    QString m_location;
    void *m_connection = nullptr; // the server connection that holds the turn
};

} // namespace testengine
