#pragma once

#include "cashbook/CashMovements.h"

#include <QList>
#include <QString>

// The balance arithmetic of the cash movement and the cash flow: month by month, the entries and
// the exits, the period's balance and the balance carried from one month into the next.
namespace cashbook {

struct MonthBalance
{
    QString yearMonth; // "2009/03"
    core::Money entries;
    core::Money exits;
    core::Money previous; // "( + ) Saldo Mês Anterior"

    core::Money periodBalance() const { return entries - exits; }
    core::Money current() const { return previous + periodBalance(); } // "( = ) Saldo Atual"
};

// One per month that has movements, in the order the movements come (by date); the first
// carries `opening`, each next one the current balance of the one before.
QList<MonthBalance> monthlyBalances(const QList<Movement> &movements, const core::Money &opening);

// The balance after each movement, from `opening`: entries add, exits subtract.
QList<core::Money> runningBalances(const QList<Movement> &movements, const core::Money &opening);

// Amounts as the cash reports print them: thousands points and two decimals.
QString amountText(const core::Money &amount);

// Where "Saldo do Período" prints: under ENTRADAS when the entries are larger, under SAÍDAS
// (as a positive amount) when the exits are, and "0.00" under both when they are equal; the
// other column then reads "0.00".
struct BalanceCells
{
    QString underEntries;
    QString underExits;
};
BalanceCells periodBalanceCells(const core::Money &periodBalance);

} // namespace cashbook
