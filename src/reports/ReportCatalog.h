#pragma once

#include "reports/SchoolHeader.h"
#include "reports/engine/Document.h"

#include <QStringList>
#include <optional>

namespace data {
class Database;
}

// The reports that can be rendered by name without windows (the command line's "report").
namespace reports {

QStringList reportNames();

// Lays the named report out from the school year in `db`; nullopt for an unknown name.
// Throws StoreError when the data cannot be read.
std::optional<Document> buildNamedReport(const QString &name, const data::Database &db,
                                         const SchoolInfo &school);

} // namespace reports
