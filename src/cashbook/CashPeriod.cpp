#include "cashbook/CashPeriod.h"

#include "core/Formats.h"

namespace cashbook {

Period wholeBook()
{
    return {QDate(1980, 1, 1), QDate(2050, 12, 31)};
}

QString periodOrderMessage()
{
    return QStringLiteral("Data Final não pode ser menor do que a Data Inicial");
}

bool endsBeforeItStarts(const Period &period)
{
    return period.to < period.from;
}

bool checksOrder(PeriodMode mode)
{
    return mode != PeriodMode::Exportacao;
}

std::optional<Period> periodFromTexts(const QString &from, const QString &to, QString *error)
{
    const std::optional<QDate> first = core::parseDate(from);
    const std::optional<QDate> last = core::parseDate(to);
    if (first && last && first->isValid() && last->isValid())
        return Period{*first, *last};
    if (error)
        *error = QStringLiteral("Data inválida: %1").arg(first && first->isValid() ? to : from);
    return std::nullopt;
}

QString movementFilter(const Period &period)
{
    return QStringLiteral("(DATA_MOVFIN >= '%1') and (DATA_MOVFIN <= '%2')")
        .arg(core::formatDate(period.from), core::formatDate(period.to));
}

} // namespace cashbook
