#include "data/modules/SubjectService.h"

#include "data/modules/RuleStatement.h"
#include "data/store/SqlDialect.h"

namespace data {

SubjectService::SubjectService(Database db) : m_db(std::move(db)) {}

int SubjectService::deleteYearGrades(const QString &grade, const QString &subject) const
{
    const QString sql =
        QStringLiteral("delete from notas where (%1 = :serie)\nand (notas.disc = :codigo)")
            .arg(m_db.dialect().substring(QStringLiteral("notas.turma"), 1, 3));
    return runRuleStatement(
        m_db, sql, {{QStringLiteral("serie"), grade}, {QStringLiteral("codigo"), subject}});
}

} // namespace data
