#pragma once

#include "data/settings/Settings.h"

namespace data {

class Database;

// Name under which the academic tables (and the settings table) are reached.
inline constexpr const char *kMainDatabaseName = "Quorvel";

// Reads the first row of the settings table into `record`, each text cut to its item's limit.
// A column the table lacks, or an empty one, leaves the item at its default. Recomputes the
// derived values. Throws StoreError when the table cannot be read.
void loadSettings(const Database &db, Settings &record);
// The same into the process-wide record, from the database named "Quorvel".
void loadSettings();

enum class IniFileUse
{
    Ignore,
    Read
};

// Writes `record` into every row of the settings table with one statement (a row is added when
// the table has none). With IniFileUse::Read, `Quorvel.ini` of the data directory, when there
// is one, is first read into the record. Failures are swallowed: false, and the record keeps
// its values.
bool saveSettings(const Database &db, Settings &record, IniFileUse ini = IniFileUse::Ignore);
// The same for the process-wide record, on the database named "Quorvel".
bool saveSettings(IniFileUse ini = IniFileUse::Ignore);

} // namespace data
