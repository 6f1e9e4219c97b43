#include "cashbook/MonthlyBalance.h"

namespace cashbook {

namespace {

const QString kZeroCell = QStringLiteral("0.00");

} // namespace

QList<MonthBalance> monthlyBalances(const QList<Movement> &movements, const core::Money &opening)
{
    QList<MonthBalance> months;
    for (const Movement &movement : movements) {
        const QString yearMonth = movement.yearMonth();
        if (months.isEmpty() || months.last().yearMonth != yearMonth) {
            const core::Money carried = months.isEmpty() ? opening : months.last().current();
            months.append({yearMonth, {}, {}, carried});
        }
        if (movement.isEntry())
            months.last().entries += movement.amount;
        else if (movement.isExit())
            months.last().exits += movement.amount;
    }
    return months;
}

QList<core::Money> runningBalances(const QList<Movement> &movements, const core::Money &opening)
{
    QList<core::Money> balances;
    balances.reserve(movements.size());
    core::Money balance = opening;
    for (const Movement &movement : movements) {
        if (movement.isEntry())
            balance += movement.amount;
        else if (movement.isExit())
            balance -= movement.amount;
        balances.append(balance);
    }
    return balances;
}

QString amountText(const core::Money &amount)
{
    return amount.format(QStringLiteral("###,###,##0.00"));
}

BalanceCells periodBalanceCells(const core::Money &periodBalance)
{
    if (periodBalance > core::Money())
        return {amountText(periodBalance), kZeroCell};
    if (periodBalance < core::Money())
        return {kZeroCell, amountText(-periodBalance)};
    return {kZeroCell, kZeroCell};
}

} // namespace cashbook
