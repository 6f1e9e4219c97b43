#include "reports/ReportCatalog.h"

#include "reports/TableListings.h"

namespace reports {

QStringList reportNames()
{
    return {QStringLiteral("disciplinas"), QStringLiteral("turmas"),
            QStringLiteral("disciplinas-turma")};
}

std::optional<Document> buildNamedReport(const QString &name, const data::Database &db,
                                         const SchoolInfo &school)
{
    if (const std::optional<Listing> listing = listingByName(name))
        return tableListing(*listing, db, school);
    return std::nullopt;
}

} // namespace reports
