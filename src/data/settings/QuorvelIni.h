#pragma once

#include "data/settings/Settings.h"

namespace data {

class IniFile;

// File name of the optional initialisation file in the data directory.
inline constexpr const char *kQuorvelIniName = "Quorvel.ini";

// Replaces every item the file knows with the file's value, or with the item's default when the
// key is missing. Identity items are not in the file and stay as they are.
void applyQuorvelIni(const IniFile &ini, Settings &record);

// Reads `Quorvel.ini` of `dataDir` into `record`; false (record untouched) when there is none.
bool readQuorvelIni(const QString &dataDir, Settings &record);

} // namespace data
