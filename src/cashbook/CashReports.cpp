#include "cashbook/CashReports.h"

#include "core/Formats.h"

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

QList<reports::ReportEntry> cashReportEntries()
{
    const Period book = wholeBook();
    const QList<reports::ReportParam> period{
        {QStringLiteral("from"), QStringLiteral("De"), reports::ParamKind::Date, core::formatDate(book.from)},
        {QStringLiteral("to"), QStringLiteral("A"), reports::ParamKind::Date, core::formatDate(book.to)}};
    QList<reports::ReportEntry> entries;
    for (CashReport report : cashReports()) {
        reports::ReportEntry entry;
        entry.name = cashReportName(report);
        entry.dialogCaption = cashReportTitle(report);
        if (periodModeOf(report))
            entry.params = period;
        entry.build = [report](const reports::ReportInput &input) {
            Period chosen;
            if (periodModeOf(report)) {
                chosen = {input.values.date(QStringLiteral("from")), input.values.date(QStringLiteral("to"))};
                if (endsBeforeItStarts(chosen))
                    throw reports::ReportParamError(periodOrderMessage());
            }
            return buildCashReport(report, input.db, input.school, chosen);
        };
        entries.append(entry);
    }
    return entries;
}

} // namespace cashbook
