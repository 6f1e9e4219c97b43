#pragma once

#include "data/store/Database.h"

#include <QString>

namespace data {

// The statement as a person reads it in an error box: every ":name" replaced by its value,
// texts between single quotes.
QString statementText(const QString &sql, const SqlParams &params);

} // namespace data
