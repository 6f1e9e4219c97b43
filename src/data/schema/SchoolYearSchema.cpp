#include "data/schema/SchoolYearSchema.h"

#include "data/schema/AcademicSchema.h"
#include "data/schema/FinancialSchema.h"
#include "data/schema/SettingsSchema.h"

namespace data::schema {

QList<TableDef> schoolYearTables()
{
    return academicTables() + financialTables() + QList<TableDef>{usuario()};
}

QList<TableDef> workingTables()
{
    return {tbConsol(), revenueWorkTable("RelatPagamentos"), revenueWorkTable("RelatMensalidades")};
}

const TableDef *findTable(const QString &nameOrFileName)
{
    static const QList<TableDef> known =
        schoolYearTables() + workingTables() + QList<TableDef>{usuarios()};
    for (const TableDef &t : known) {
        if (t.name.compare(nameOrFileName, Qt::CaseInsensitive) == 0 ||
            t.fileName.compare(nameOrFileName, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

QList<TableLink> schoolYearLinks()
{
    return academicLinks() + financialLinks();
}

} // namespace data::schema
