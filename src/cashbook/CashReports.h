#pragma once

#include "cashbook/CashPeriod.h"
#include "reports/ReportRegistry.h"
#include "reports/SchoolHeader.h"
#include "reports/engine/Document.h"

#include <QList>
#include <QString>
#include <optional>

namespace data {
class Database;
}

// The printed reports of the cash book, each a function from the school year's tables to a
// laid-out document, shared by the window's "&Imprimir" and the command line. Each throws
// StoreError when a table cannot be read.
namespace cashbook {

enum class CashReport { Grupos, Contas, Movimento, ReceitaDespesa, Fluxo };

QList<CashReport> cashReports();
// "caixa-grupos", "caixa-contas", "caixa-movimento", "caixa-receita-despesa", "caixa-fluxo".
QString cashReportName(CashReport report);
std::optional<CashReport> cashReportByName(const QString &name);
QString cashReportTitle(CashReport report);
// The three reports of a period, and the mode their period dialog is opened with.
std::optional<PeriodMode> periodModeOf(CashReport report);

// "RELAÇÃO DE GRUPOS DE CONTAS": every group by kind and number, under "RECEITA" / "DESPESA".
reports::Document groupsReport(const data::Database &db, const reports::SchoolInfo &school);
// "RELAÇÃO DE CONTAS POR GRUPO": the named accounts by kind and group.
reports::Document accountsReport(const data::Database &db, const reports::SchoolInfo &school);
// "MOVIMENTO DO CAIXA": the period's movements by date, with each month's totals, its period
// balance and the balance carried from the month before.
reports::Document movementReport(const data::Database &db, const reports::SchoolInfo &school,
                                 const Period &period);
// "FLUXO DE CAIXA": the same movements with a running balance.
reports::Document cashFlowReport(const data::Database &db, const reports::SchoolInfo &school,
                                 const Period &period);
// "ACOMPANHAMENTO DE RECEITA E DESPESA": each month's movements by group and account, with
// their totals and the month's revenue, expense and balance.
reports::Document revenueExpenseReport(const data::Database &db, const reports::SchoolInfo &school,
                                       const Period &period);

// Any of them; the period is ignored by the two lists.
reports::Document buildCashReport(CashReport report, const data::Database &db,
                                  const reports::SchoolInfo &school, const Period &period);

// The five in the program's report registry, for the command line: the period reports take
// "from" and "to" (the whole book when not given) and refuse a period that ends before it
// starts with the window's message. They print from the cash-book window, not the main menu.
QList<reports::ReportEntry> cashReportEntries();

} // namespace cashbook
