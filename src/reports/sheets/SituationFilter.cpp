#include "reports/sheets/SituationFilter.h"

namespace reports {

namespace {

// A student with no situation recorded is an active one.
const QString kSit = QStringLiteral("coalesce(SIT, '')");

QString situationCondition(SituationChoice choice)
{
    const QString active = QStringLiteral("((%1 <> 'D') AND (%1 <> 'T'))").arg(kSit);
    switch (choice) {
    case SituationChoice::Active:
        return active;
    case SituationChoice::All:
        return QStringLiteral("(%1 <> '*')").arg(kSit);
    case SituationChoice::DroppedOut:
        return QStringLiteral("(SIT = 'D')");
    case SituationChoice::Transferred:
        return QStringLiteral("(SIT = 'T')");
    case SituationChoice::Discount:
        return active + QStringLiteral(" AND (ABAT > 0)");
    case SituationChoice::Scholarship:
        return QStringLiteral("(SIT = 'B') OR ((ABAT = 100) AND (IMP = '%'))");
    case SituationChoice::Equal:
        return QStringLiteral("(SIT = :sit)");
    }
    return QString();
}

} // namespace

QStringList situationCaptions()
{
    return {QStringLiteral("Alunos Ativos"),
            QStringLiteral("Todos os Alunos "),
            QStringLiteral("Desistentes "),
            QStringLiteral("Transferidos"),
            QStringLiteral("Alunos c/ Desconto na Mensalidade"),
            QStringLiteral("Bolsistas (Desconto 100%)"),
            QStringLiteral("Situação igual a")};
}

StudentFilter studentFilter(SituationChoice choice, const QString &typedCode, const QString &classCode)
{
    StudentFilter filter{situationCondition(choice), {}};
    if (choice == SituationChoice::Equal)
        filter.params.insert(QStringLiteral("sit"), typedCode.trimmed());
    if (!classCode.isEmpty()) {
        // Bracketed whole, so that the class also holds for both sides of the scholarship's OR.
        filter.condition = QLatin1Char('(') + filter.condition + QStringLiteral(") AND (TURMA = :turma)");
        filter.params.insert(QStringLiteral("turma"), classCode);
    }
    return filter;
}

} // namespace reports
