// "MOVIMENTO DO CAIXA" and "FLUXO DE CAIXA": the period's movements by date, month by month,
// with the balance carried in from before the period.

#include "cashbook/CashReportPage.h"
#include "cashbook/CashReports.h"
#include "cashbook/MonthlyBalance.h"

#include "reports/engine/Layout.h"

#include <QHash>

namespace cashbook {

using namespace reports;

namespace {

const QString kMonth = QStringLiteral("AnoMes");

struct Columns
{
    CashColumn doc, date, cheque, history, entries, exits, balance;
};

const Columns kMovementColumns{
    {QStringLiteral("DOC N.º"), 0, 160, Align::Right},
    {QStringLiteral("DATA"), 200, 190},
    {QStringLiteral("CHEQUE"), 400, 160},
    {QStringLiteral("HISTÓRICO"), 570, 820},
    {QStringLiteral("ENTRADAS"), 1400, 240, Align::Right},
    {QStringLiteral("SAÍDAS"), 1660, 240, Align::Right},
    {},
};

const Columns kFlowColumns{
    {QStringLiteral("DOC N.º"), 0, 140, Align::Right},
    {QStringLiteral("DATA"), 165, 175},
    {QStringLiteral("CHEQUE"), 345, 150},
    {QStringLiteral("HISTÓRICO"), 525, 625},
    {QStringLiteral("ENTRADAS"), 1160, 235, Align::Right},
    {QStringLiteral("SAÍDAS"), 1405, 235, Align::Right},
    {QStringLiteral("SALDO"), 1650, 250, Align::Right},
};

// What a month's footer and heading read, kept aside by month.
using Months = QHash<QString, MonthBalance>;

struct Selection
{
    Period period;
    QList<Movement> movements;
    core::Money opening;
    Months months;
};

Selection select(const data::Database &db, const Period &period)
{
    Selection s;
    s.period = period;
    s.opening = balanceBefore(db, period.from);
    s.movements = movementsOf(db, period, MovementOrder::DateAndKind);
    for (const MonthBalance &month : monthlyBalances(s.movements, s.opening))
        s.months.insert(month.yearMonth, month);
    return s;
}

// One row per movement; amounts already as they print, so every total below adds exactly
// what the rows show.
RecordList movementRows(const Selection &s, bool withBalance)
{
    RecordList rows({kMonth, QStringLiteral("CodMovFin_MovFin"), QStringLiteral("Data_MovFin"),
                     QStringLiteral("Cheque_MovFin"), QStringLiteral("Descricao_MovFin"),
                     QStringLiteral("Entradas"), QStringLiteral("Saidas"), QStringLiteral("Saldo")});
    const QList<core::Money> balances =
        withBalance ? runningBalances(s.movements, s.opening) : QList<core::Money>();
    for (int i = 0; i < s.movements.size(); ++i) {
        const Movement &m = s.movements.at(i);
        rows.append({m.yearMonth(), m.number, m.date, m.cheque, m.description,
                     m.isEntry() ? amountText(m.amount) : QString(),
                     m.isExit() ? amountText(m.amount) : QString(),
                     withBalance ? amountText(balances.at(i)) : QString()});
    }
    return rows;
}

Report movementPage(CashReport kind, const SchoolInfo &school, const Period &period, const Columns &c)
{
    QList<CashColumn> captions{c.doc, c.date, c.cheque, c.history, c.entries, c.exits};
    if (!c.balance.caption.isEmpty())
        captions.append(c.balance);
    Report report = cashReportPage(cashReportTitle(kind), school, captions,
                                   periodHeading(period.from, period.to));
    Band &detail = report.detail;
    detail.height = kCashRowHeight;
    const auto cell = [&detail](const QString &field, const CashColumn &column) {
        detail.field(field, column.rect(0, 38)).aligned(column.align).sized(kCashTextSize);
    };
    cell(QStringLiteral("CodMovFin_MovFin"), c.doc);
    cell(QStringLiteral("Data_MovFin"), c.date);
    cell(QStringLiteral("Cheque_MovFin"), c.cheque);
    cell(QStringLiteral("Descricao_MovFin"), c.history);
    cell(QStringLiteral("Entradas"), c.entries);
    cell(QStringLiteral("Saidas"), c.exits);
    if (!c.balance.caption.isEmpty())
        cell(QStringLiteral("Saldo"), c.balance);
    return report;
}

// The month's heading; `month` reads the month key of the row.
void addMonthHeading(Band &band, Tenths top)
{
    computedLabel(band, {0, top, 1400, 50}, [](const PrintContext &context) {
        return monthHeading(context.value(kMonth).toString());
    }).withFont(font(10, true));
}

// A caption and up to two amounts on one line of a footer.
void amountLine(Band &band, Tenths top, const QString &caption, const CashColumn &captionColumn,
                const CashColumn &first, std::function<QString(const PrintContext &)> firstText,
                const CashColumn *second = nullptr,
                std::function<QString(const PrintContext &)> secondText = {})
{
    band.label(caption, {captionColumn.x, top, captionColumn.width, 40}).sized(kCashTextSize).bold();
    computedLabel(band, first.rect(top, 40), std::move(firstText)).aligned(Align::Right).bold();
    if (second)
        computedLabel(band, second->rect(top, 40), std::move(secondText)).aligned(Align::Right).bold();
}

// With no movement in the period, the page still shows its headings and the zero totals.
BandHandler onlyWhenEmpty()
{
    return [](const PrintContext &context) { return context.detailNumber == 0; };
}

} // namespace

Document movementReport(const data::Database &db, const SchoolInfo &school, const Period &period)
{
    const auto s = std::make_shared<const Selection>(select(db, period));
    const Columns &c = kMovementColumns;
    Report report = movementPage(CashReport::Movimento, school, period, c);

    const auto month = [s](const PrintContext &context) {
        return s->months.value(context.value(kMonth).toString());
    };
    Group &group = report.addGroup(kMonth);
    group.header.height = 70;
    addMonthHeading(group.header, 15);

    // Totals, the period's balance in the column of the larger side, the balance carried in
    // and the balance carried on.
    const CashColumn captions{QString(), c.history.x + 200, c.history.width - 200};
    const auto footer = [&](Band &band, std::function<MonthBalance(const PrintContext &)> read) {
        band.height = 230;
        band.line({c.entries.x, 5, c.exits.x + c.exits.width - c.entries.x, 0});
        amountLine(band, 15, QStringLiteral("Total"), captions, c.entries,
                   [read](const PrintContext &x) { return amountText(read(x).entries); }, &c.exits,
                   [read](const PrintContext &x) { return amountText(read(x).exits); });
        amountLine(band, 65, QStringLiteral("Saldo do Período"), captions, c.entries,
                   [read](const PrintContext &x) { return periodBalanceCells(read(x).periodBalance()).underEntries; },
                   &c.exits,
                   [read](const PrintContext &x) { return periodBalanceCells(read(x).periodBalance()).underExits; });
        amountLine(band, 115, QStringLiteral("( + ) Saldo Mês Anterior"), captions, c.exits,
                   [read](const PrintContext &x) { return amountText(read(x).previous); });
        amountLine(band, 165, QStringLiteral("( = ) Saldo Atual"), captions, c.exits,
                   [read](const PrintContext &x) { return amountText(read(x).current()); });
    };
    footer(group.footer, month);
    footer(report.summary, [s](const PrintContext &) { return MonthBalance{QString(), {}, {}, s->opening}; });
    report.summary.beforePrint = onlyWhenEmpty();

    RecordList rows = movementRows(*s, false);
    return layout(report, rows);
}

Document cashFlowReport(const data::Database &db, const SchoolInfo &school, const Period &period)
{
    const auto s = std::make_shared<const Selection>(select(db, period));
    const Columns &c = kFlowColumns;
    Report report = movementPage(CashReport::Fluxo, school, period, c);
    const CashColumn captions{QString(), c.history.x + 200, c.history.width - 200};

    // Each month opens with the balance it carries in, where the running balance starts.
    Group &group = report.addGroup(kMonth);
    group.header.height = 115;
    addMonthHeading(group.header, 15);
    amountLine(group.header, 70, QStringLiteral("Saldo Mês Anterior"), captions, c.balance,
               [s](const PrintContext &x) {
                   return amountText(s->months.value(x.value(kMonth).toString()).previous);
               });

    group.footer.height = 70;
    group.footer.line({c.entries.x, 5, c.exits.x + c.exits.width - c.entries.x, 0});
    amountLine(group.footer, 15, QStringLiteral("Total"), captions, c.entries,
               [s](const PrintContext &x) { return amountText(s->months.value(x.value(kMonth).toString()).entries); },
               &c.exits,
               [s](const PrintContext &x) { return amountText(s->months.value(x.value(kMonth).toString()).exits); });

    report.summary.height = 115;
    report.summary.beforePrint = onlyWhenEmpty();
    amountLine(report.summary, 15, QStringLiteral("Saldo Mês Anterior"), captions, c.balance,
               [s](const PrintContext &) { return amountText(s->opening); });
    amountLine(report.summary, 65, QStringLiteral("Total"), captions, c.entries,
               [](const PrintContext &) { return amountText({}); }, &c.exits,
               [](const PrintContext &) { return amountText({}); });

    RecordList rows = movementRows(*s, true);
    return layout(report, rows);
}

} // namespace cashbook
