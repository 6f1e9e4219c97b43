#include "billing/reports/BillingChoice.h"

#include "students/structure/ChargeTypeFilter.h"

namespace billing {

namespace {

const QString kAll = QStringLiteral("Todos");
const QString kMonthlyFee = QStringLiteral("Mensalidade");

} // namespace

QString kindCondition(const QString &kindEntry, data::SqlParams &params, const QString &column)
{
    if (kindEntry.isEmpty() || kindEntry == kAll)
        return QString();
    params.insert(QStringLiteral("tipo"), kindEntry == kMonthlyFee ? QStringLiteral("N") : kindEntry.left(1));
    return QStringLiteral(" and ") + column + QStringLiteral(" = :tipo");
}

QString classCondition(const QString &classCode, data::SqlParams &params, const QString &column)
{
    if (classCode.isEmpty())
        return QString();
    params.insert(QStringLiteral("turma"), classCode);
    return QStringLiteral(" and ") + column + QStringLiteral(" = :turma");
}

QString kindText(const QString &tipo)
{
    if (tipo == u"N")
        return kMonthlyFee;
    for (const QString &entry : students::chargeTypeEntries()) {
        if (!tipo.isEmpty() && entry.startsWith(tipo + u'-'))
            return entry;
    }
    return tipo;
}

} // namespace billing
