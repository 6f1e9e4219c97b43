#include "cashbook/CashReports.h"

namespace cashbook {

QList<CashReport> cashReports()
{
    return {CashReport::Grupos, CashReport::Contas, CashReport::Movimento,
            CashReport::ReceitaDespesa, CashReport::Fluxo};
}

QString cashReportName(CashReport report)
{
    switch (report) {
    case CashReport::Grupos:
        return QStringLiteral("caixa-grupos");
    case CashReport::Contas:
        return QStringLiteral("caixa-contas");
    case CashReport::Movimento:
        return QStringLiteral("caixa-movimento");
    case CashReport::ReceitaDespesa:
        return QStringLiteral("caixa-receita-despesa");
    case CashReport::Fluxo:
        return QStringLiteral("caixa-fluxo");
    }
    return {};
}

std::optional<CashReport> cashReportByName(const QString &name)
{
    for (CashReport report : cashReports()) {
        if (cashReportName(report) == name)
            return report;
    }
    return std::nullopt;
}

QString cashReportTitle(CashReport report)
{
    switch (report) {
    case CashReport::Grupos:
        return QStringLiteral("RELAÇÃO DE GRUPOS DE CONTAS");
    case CashReport::Contas:
        return QStringLiteral("RELAÇÃO DE CONTAS POR GRUPO");
    case CashReport::Movimento:
        return QStringLiteral("MOVIMENTO DO CAIXA");
    case CashReport::ReceitaDespesa:
        return QStringLiteral("ACOMPANHAMENTO DE RECEITA E DESPESA");
    case CashReport::Fluxo:
        return QStringLiteral("FLUXO DE CAIXA");
    }
    return {};
}

std::optional<PeriodMode> periodModeOf(CashReport report)
{
    switch (report) {
    case CashReport::Movimento:
        return PeriodMode::Movimento;
    case CashReport::ReceitaDespesa:
        return PeriodMode::ReceitaDespesa;
    case CashReport::Fluxo:
        return PeriodMode::Fluxo;
    case CashReport::Grupos:
    case CashReport::Contas:
        break;
    }
    return std::nullopt;
}

reports::Document buildCashReport(CashReport report, const data::Database &db,
                                  const reports::SchoolInfo &school, const Period &period)
{
    switch (report) {
    case CashReport::Grupos:
        return groupsReport(db, school);
    case CashReport::Contas:
        return accountsReport(db, school);
    case CashReport::Movimento:
        return movementReport(db, school, period);
    case CashReport::ReceitaDespesa:
        return revenueExpenseReport(db, school, period);
    case CashReport::Fluxo:
        return cashFlowReport(db, school, period);
    }
    return {};
}

} // namespace cashbook
