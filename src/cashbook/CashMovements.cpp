#include "cashbook/CashMovements.h"

#include "cashbook/CashTotals.h"
#include "data/store/Query.h"

#include <algorithm>

namespace cashbook {

QString Movement::yearMonth() const
{
    return QStringLiteral("%1/%2").arg(date.year(), 4, 10, QChar(u'0')).arg(date.month(), 2, 10, QChar(u'0'));
}

bool Movement::isEntry() const
{
    return kind == kRevenueKind;
}

bool Movement::isExit() const
{
    return kind == kExpenseKind;
}

QList<Movement> movementsOf(const data::Database &db, const Period &period, MovementOrder order)
{
    const QString orderBy =
        order == MovementOrder::DateAndKind
            ? QStringLiteral("m.Data_MovFin, m.CodGrupo_MovFin, m.CodMovFin_MovFin")
            : QStringLiteral("m.CodGrupo_MovFin, m.CodGrupo_Grupo, m.CodConta_MovFin, "
                             "m.Data_MovFin, m.CodMovFin_MovFin");
    data::Query query(db);
    query.setSql(QStringLiteral(
        "select m.CodMovFin_MovFin, m.Data_MovFin, m.CodGrupo_MovFin, m.CodGrupo_Grupo, "
        "m.CodConta_MovFin, m.Cheque_MovFin, m.Valor_MovFin, m.Descricao_MovFin, "
        "g.Descricao_Grupo, c.Descricao_Conta "
        "from MovFin m "
        "left join GrupoConta g on (g.Tipo_Grupo = m.CodGrupo_MovFin) and (g.CodGrupo_Grupo = m.CodGrupo_Grupo) "
        "left join Conta c on (c.CodGrupo_Conta = m.CodGrupo_MovFin) and (c.CodGrupo_Grupo = m.CodGrupo_Grupo) "
        "and (c.CodConta_Conta = m.CodConta_MovFin) "
        "where (m.Data_MovFin >= :de) and (m.Data_MovFin <= :ate) order by ") + orderBy);
    query.bind(QStringLiteral("de"), period.from);
    query.bind(QStringLiteral("ate"), period.to);
    query.open();

    QList<Movement> movements;
    movements.reserve(query.recordCount());
    for (int row = 0; row < query.recordCount(); ++row) {
        Movement m;
        m.number = query.valueAt(row, 0).toLongLong();
        m.date = query.valueAt(row, 1).toDate();
        m.kind = query.valueAt(row, 2).toString();
        m.group = query.valueAt(row, 3).toLongLong();
        m.account = query.valueAt(row, 4).toLongLong();
        m.cheque = query.valueAt(row, 5).toString();
        m.amount = core::Money::fromDouble(query.valueAt(row, 6).toDouble());
        m.description = query.valueAt(row, 7).toString();
        m.groupName = query.valueAt(row, 8).toString();
        m.accountName = query.valueAt(row, 9).toString();
        movements.append(m);
    }
    // The month leads the revenue and expense order, so that each month's block holds all of
    // that month's movements and its totals are whole.
    if (order == MovementOrder::MonthKindAndAccount) {
        std::stable_sort(movements.begin(), movements.end(), [](const Movement &a, const Movement &b) {
            return a.date.year() * 12 + a.date.month() < b.date.year() * 12 + b.date.month();
        });
    }
    return movements;
}

core::Money balanceBefore(const data::Database &db, const QDate &day)
{
    data::Query query(db);
    query.setSql(QStringLiteral(
        "select CodGrupo_MovFin, Valor_MovFin from MovFin where Data_MovFin < :dia"));
    query.bind(QStringLiteral("dia"), day);
    query.open();
    core::Money entries;
    core::Money exits;
    for (int row = 0; row < query.recordCount(); ++row) {
        const QString kind = query.valueAt(row, 0).toString();
        const core::Money amount = core::Money::fromDouble(query.valueAt(row, 1).toDouble());
        if (kind == kRevenueKind)
            entries += amount;
        else if (kind == kExpenseKind)
            exits += amount;
    }
    return entries - exits;
}

} // namespace cashbook
