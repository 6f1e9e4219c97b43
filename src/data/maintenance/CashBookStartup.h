#pragma once

namespace data {

class Database;

// The cash book's part of the log-on: the description index of the account groups and the due
// day of the accounts, each added when missing (a failure means it is there already).
void runCashBookStartup(const Database &db);

} // namespace data
