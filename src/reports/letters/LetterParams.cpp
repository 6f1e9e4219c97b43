#include "reports/letters/LetterParams.h"

#include "reports/cards/CardChoices.h"

#include "data/store/Database.h"

namespace reports {

ReportParam classParam()
{
    ReportParam param{QStringLiteral("class"), QStringLiteral("Apenas a Turma"), ParamKind::Choice};
    param.choices = {{QString(), QStringLiteral("Todas as Turmas")}};
    param.choicesFrom = classEntries;
    return param;
}

QString classDescription(const data::Database &db, const QString &classCode)
{
    return db.scalar(QStringLiteral("select DESCRICAO from Tabturma where TURMA = :t"), {{QStringLiteral("t"), classCode}})
        .toString();
}

} // namespace reports
