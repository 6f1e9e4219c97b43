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

} // namespace testengine
