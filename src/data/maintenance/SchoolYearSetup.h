#pragma once

#include "data/store/Database.h"

#include <QString>
#include <QStringList>

namespace data {

// Creates every table of the current layout that `db` lacks. A settings table created here gets
// one row of defaults for `schoolYear`, and then the values of `Quorvel.ini` when the directory
// has one. Returns the names of the tables created.
QStringList createMissingTables(const Database &db, const QString &schoolYear);

// A new school year in `dataDir` (created when missing): the current layout, ready for log-on.
// Throws StoreError when the directory or its tables cannot be created.
Database createSchoolYear(const QString &dataDir, const QString &schoolYear);

// The tables of a school year that exists in `dataDir`; throws StoreError when the directory
// holds none (so a mistyped path does not become an empty school year).
Database openSchoolYear(const QString &dataDir);

// The users table in the users directory. When it has to be created, it gets one supervisor,
// "SUPERVISOR", with every right and no password, who sets one at the first log-on.
// Returns true when the table was created.
bool ensureUsersTable(const QString &usersDir);

} // namespace data
