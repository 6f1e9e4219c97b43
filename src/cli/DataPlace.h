#pragma once

#include "data/store/Database.h"

#include <QString>

namespace cli {

// The school year a verb works on, as given on the command line: a folder made absolute, or a
// server year's address (postgresql://...) as it stands.
QString dataPlace(const QString &given);
// The folder exists, or the place is a server year (the store tells when it cannot be reached).
bool dataPlaceExists(const QString &place);
// The tables of a folder or server year that already holds them; Failure "não há banco de
// dados em ..." otherwise (nothing is created).
data::Database openExistingTables(const QString &place, data::Database::Access access);

} // namespace cli
