#include "cashbook/CashTotals.h"

#include "data/store/Dataset.h"
#include "data/store/Query.h"

namespace cashbook {

namespace {

// Each movement's amount as it is shown (rounded to the centavo), then added exactly.
template<typename Add>
void readMovements(const data::Database &db, const QString &sql, const data::SqlParams &params, Add add)
{
    data::Query query(db);
    query.setSql(sql);
    for (auto it = params.constBegin(); it != params.constEnd(); ++it)
        query.bind(it.key(), it.value());
    query.open();
    const int kind = query.fieldIndex(QStringLiteral("CodGrupo_MovFin"));
    const int value = query.fieldIndex(QStringLiteral("Valor_MovFin"));
    for (int row = 0; row < query.recordCount(); ++row)
        add(query.valueAt(row, kind).toString(), core::Money::fromDouble(query.valueAt(row, value).toDouble()));
}

data::SqlParams periodParams(const Period &period)
{
    return {{QStringLiteral("DATAINI"), period.from}, {QStringLiteral("DATAFIN"), period.to}};
}

} // namespace

std::optional<AccountKey> currentAccount(const data::Dataset &accountView)
{
    if (!accountView.isOpen() || accountView.isEmpty())
        return std::nullopt;
    return AccountKey{accountView.asText("TIPO_GRUPO"), accountView.asInteger("CODGRUPO_GRUPO"),
                      accountView.asInteger("CODCONTA_CONTA")};
}

std::optional<AccountKey> firstAccount(const data::Database &db)
{
    data::Query query(db);
    query.setSql(QStringLiteral(
        "select Conta.CodGrupo_Conta, Conta.CodGrupo_Grupo, Conta.CodConta_Conta "
        "from Conta inner join GrupoConta on (Conta.CodGrupo_Conta = GrupoConta.Tipo_Grupo) "
        "and (Conta.CodGrupo_Grupo = GrupoConta.CodGrupo_Grupo) "
        "order by GrupoConta.Tipo_Grupo, Conta.CodGrupo_Grupo, Conta.CodConta_Conta"));
    query.open();
    if (query.isEmpty())
        return std::nullopt;
    return AccountKey{query.valueAt(0, 0).toString(), query.valueAt(0, 1).toLongLong(),
                      query.valueAt(0, 2).toLongLong()};
}

bool accountExists(const data::Database &db, const AccountKey &account)
{
    return db.scalar(QStringLiteral("select count(*) from Conta where (CodGrupo_Conta = :tipo) "
                                    "and (CodGrupo_Grupo = :grupo) and (CodConta_Conta = :conta)"),
                     {{QStringLiteral("tipo"), account.kind},
                      {QStringLiteral("grupo"), account.group},
                      {QStringLiteral("conta"), account.account}})
               .toLongLong()
           > 0;
}

std::optional<AccountKey> parseAccountKey(const QString &text)
{
    const QStringList parts = text.trimmed().split(u'/');
    if (parts.size() != 3)
        return std::nullopt;
    bool kindOk = false;
    bool groupOk = false;
    bool accountOk = false;
    const int kind = parts[0].trimmed().toInt(&kindOk);
    const qint64 group = parts[1].trimmed().toLongLong(&groupOk);
    const qint64 account = parts[2].trimmed().toLongLong(&accountOk);
    if (!kindOk || !groupOk || !accountOk)
        return std::nullopt;
    return AccountKey{QString::number(kind), group, account};
}

core::Money accountTotal(const data::Database &db, const AccountKey &account, const Period &period)
{
    data::SqlParams params = periodParams(period);
    params.insert(QStringLiteral("TIPO"), account.kind);
    params.insert(QStringLiteral("GRUPO"), account.group);
    params.insert(QStringLiteral("CONTA"), account.account);
    core::Money total;
    readMovements(db,
                  QStringLiteral("select CodGrupo_MovFin, Valor_MovFin from MovFin "
                                 "where (CodGrupo_MovFin = :TIPO) and (CodGrupo_Grupo = :GRUPO) "
                                 "and (CodConta_MovFin = :CONTA) "
                                 "and (Data_MovFin >= :DATAINI) and (Data_MovFin <= :DATAFIN)"),
                  params, [&total](const QString &, const core::Money &amount) { total += amount; });
    return total;
}

GeneralTotals generalTotals(const data::Database &db, const Period &period)
{
    GeneralTotals totals;
    readMovements(db,
                  QStringLiteral("select CodGrupo_MovFin, Valor_MovFin from MovFin "
                                 "where (Data_MovFin >= :DATAINI) and (Data_MovFin <= :DATAFIN)"),
                  periodParams(period), [&totals](const QString &kind, const core::Money &amount) {
                      (kind == kRevenueKind ? totals.revenue : totals.expense) += amount;
                  });
    return totals;
}

WindowTotals windowTotals(const data::Database &db, const std::optional<AccountKey> &account,
                          const Period &period)
{
    WindowTotals totals;
    totals.account = account;
    if (account)
        totals.accountTotal = accountTotal(db, *account, period);
    totals.general = generalTotals(db, period);
    return totals;
}

QString currencyText(const core::Money &amount)
{
    return amount.isNegative() ? QStringLiteral("-R$ ") + (-amount).format()
                               : QStringLiteral("R$ ") + amount.format();
}

QColor accountTotalColor(const QString &kind)
{
    return kind == kRevenueKind ? QColor(Qt::blue) : QColor(Qt::red);
}

QColor balanceColor(const core::Money &balance)
{
    static const QColor blueViolet(0x8a, 0x2b, 0xe2);
    static const QColor redViolet(0xc7, 0x15, 0x85);
    return balance > core::Money() ? blueViolet : redViolet;
}

} // namespace cashbook
