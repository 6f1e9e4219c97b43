#pragma once

#include "cashbook/CashPeriod.h"
#include "core/Money.h"

#include <QDate>
#include <QList>
#include <QString>

namespace data {
class Database;
}

// The movements the cash reports print, read once with their group and account names.
namespace cashbook {

struct Movement
{
    qint64 number = 0; // CodMovFin_MovFin, the "DOC N.º"
    QDate date;
    QString kind; // "0" revenue, "1" expense
    qint64 group = 0;
    qint64 account = 0;
    QString cheque;
    core::Money amount;
    QString description;
    QString groupName;
    QString accountName;

    // "2009/03": the month the reports group by.
    QString yearMonth() const;
    bool isEntry() const;
    bool isExit() const;
};

enum class MovementOrder
{
    DateAndKind,        // the cash movement and the cash flow
    MonthKindAndAccount // revenue and expense: month, kind, group, account, date
};

// The movements of the period, both days included.
QList<Movement> movementsOf(const data::Database &db, const Period &period, MovementOrder order);

// Every entry minus every exit dated before `day`: the balance a period starting that day
// carries in.
core::Money balanceBefore(const data::Database &db, const QDate &day);

} // namespace cashbook
