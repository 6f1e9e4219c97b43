#pragma once

#include <QList>

namespace data {

class Database;

// Brings the tables of an older school year up to the current layout. Sixteen numbered steps,
// each on its own: a step that fails (because it already ran: the column exists) changes
// nothing and the next one runs. Steps 3 and 16 take effect at every run.
//
// Step 1 also brings the settings table to the current layout: the school's identity is kept,
// `Quorvel.ini` (when present) is read into the settings once, and the settings are saved and
// loaded into the process-wide record.
//
// Returns the numbers of the steps that took effect, in order; 9 and 11 (one column for each of
// the five grade tables) appear once per table they changed.
QList<int> upgradeLayout(const Database &db);

} // namespace data
