#pragma once

#include "data/store/Schema.h"

namespace data::schema {

// The school's settings table (one row) of a school year.
TableDef usuario();

// The users and their rights, kept in the users directory for every school year.
TableDef usuarios();

} // namespace data::schema
