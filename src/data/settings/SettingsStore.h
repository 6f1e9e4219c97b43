#pragma once

#include "core/Dialogs.h"
#include "data/settings/Settings.h"

#include <QStringList>

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

// What became of a save. Both kinds of trouble are in the diagnostic log as well.
struct SettingsSaveResult
{
    QString error;        // why the row was not written (the store's text); empty when it was
    QStringList iniNotes; // values of Quorvel.ini refused on the way; their items kept the default

    bool saved() const { return error.isEmpty(); }
    explicit operator bool() const { return saved(); }
};

// Writes `record` into every row of the settings table with one statement (a row is added when
// the table has none). With IniFileUse::Read, `Quorvel.ini` of the data directory, when there
// is one, is first read into the record. A failure leaves the table as it was and the record
// with its values.
SettingsSaveResult saveSettings(const Database &db, Settings &record,
                                IniFileUse ini = IniFileUse::Ignore);
// The same for the process-wide record, on the database named "Quorvel".
SettingsSaveResult saveSettings(IniFileUse ini = IniFileUse::Ignore);

// The box that says a save failed: the changes hold only in memory, until the session ends.
core::Message settingsNotSavedMessage(const SettingsSaveResult &result);

} // namespace data
