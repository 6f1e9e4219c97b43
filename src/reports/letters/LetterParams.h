#pragma once

#include "reports/ReportValues.h"

#include <QString>

namespace data {
class Database;
}

// The scope choices the student lists and letters ask alike.
namespace reports {

// "--class TURMA": empty (the default) for every class, else one class code of Tabturma.
ReportParam classParam();

// The class description of Tabturma for a code; empty when there is none.
QString classDescription(const data::Database &db, const QString &classCode);

} // namespace reports
