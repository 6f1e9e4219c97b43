#pragma once

#include "data/store/Database.h"

#include <QString>

// A school year with its settings, two students and three charge rows of student 1234:
// the March fee paid on 05/03/2007 (slip 20070305), the April fee open, and an enrolment
// fee of instalment 3 paid, so "ParcelaNum=3" alone names two rows.
data::Database createSchoolWithCharges(const QString &dataDir);
