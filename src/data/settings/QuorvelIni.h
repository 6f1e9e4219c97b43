#pragma once

#include "data/settings/Settings.h"

#include <QStringList>
#include <optional>

namespace data {

class IniFile;

// File name of the optional initialisation file in the data directory.
inline constexpr const char *kQuorvelIniName = "Quorvel.ini";

// Replaces every item the file knows with the file's value, or with the item's default when the
// key is missing or empty. Identity items are not in the file and stay as they are. A value that
// does not fit its item is refused: the item keeps its default, and the returned notes (also in
// the diagnostic log) say which value and why.
QStringList applyQuorvelIni(const IniFile &ini, Settings &record);

// Reads `Quorvel.ini` of `dataDir` into `record` and returns the notes of refused values;
// nullopt (record untouched) when there is no such file.
std::optional<QStringList> readQuorvelIni(const QString &dataDir, Settings &record);

} // namespace data
