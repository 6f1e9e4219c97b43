#pragma once

#include "data/store/Database.h"

#include <QString>

// A school year as an older version of the program left it: the settings table without the
// newer items (and narrower identity columns), grade, class-subject, student and charge tables
// without the columns added since, the accounts without their due day and the account groups
// without their description index. `certificateFieldsOfFour`: the students already have the
// birth-certificate fields, with the sheet and book still 4 characters wide.
data::Database createOldSchoolYear(const QString &dataDir, bool certificateFieldsOfFour = false);
