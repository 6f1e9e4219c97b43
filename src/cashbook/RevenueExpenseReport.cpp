// "ACOMPANHAMENTO DE RECEITA E DESPESA": month by month, the movements of each group and account
// with their totals, and the month's revenue, expense and balance.

#include "cashbook/CashReportPage.h"
#include "cashbook/CashReports.h"
#include "cashbook/MonthlyBalance.h"

#include "reports/engine/Layout.h"

#include <QHash>

namespace cashbook {

using namespace reports;

namespace {

const QString kMonth = QStringLiteral("AnoMes");
const QString kGroup = QStringLiteral("Grupo");
const QString kAccount = QStringLiteral("Conta");

const CashColumn kDoc{QStringLiteral("DOC N.º"), 0, 160, Align::Right};
const CashColumn kCheque{QStringLiteral("CHEQUE"), 200, 160};
const CashColumn kDate{QStringLiteral("DATA"), 380, 190};
const CashColumn kHistory{QStringLiteral("HISTÓRICO"), 590, 1000};
const CashColumn kValue{QStringLiteral("Valor"), 1620, 280, Align::Right};

// The totals the footers print, by the keys of the rows: exact sums of the printed amounts.
struct Totals
{
    QHash<QString, core::Money> byAccount;
    QHash<QString, core::Money> byGroup;
    QHash<QString, core::Money> revenueByMonth;
    QHash<QString, core::Money> expenseByMonth;
};

// Groups are numbered within their kind, accounts within their group: the keys carry the
// month, the kind and the numbers together.
QString groupKey(const Movement &m)
{
    return QStringLiteral("%1|%2|%3").arg(m.yearMonth(), m.kind).arg(m.group);
}

QString accountKey(const Movement &m)
{
    return groupKey(m) + u'|' + QString::number(m.account);
}

QString kindText(const QString &kind)
{
    return kind == u"0" ? QStringLiteral("RECEITA") : QStringLiteral("DESPESA");
}

QString monthTotalsLine(const QString &caption, const core::Money &amount)
{
    return caption + amountText(amount);
}

} // namespace

Document revenueExpenseReport(const data::Database &db, const SchoolInfo &school, const Period &period)
{
    const QList<Movement> movements = movementsOf(db, period, MovementOrder::MonthKindAndAccount);
    auto totals = std::make_shared<Totals>();
    RecordList rows({kMonth, kGroup, kAccount, QStringLiteral("GrupoTitulo"), QStringLiteral("ContaTitulo"),
                     QStringLiteral("CodMovFin_MovFin"), QStringLiteral("Cheque_MovFin"),
                     QStringLiteral("Data_MovFin"), QStringLiteral("Descricao_MovFin"), QStringLiteral("Valor")});
    for (const Movement &m : movements) {
        totals->byAccount[accountKey(m)] += m.amount;
        totals->byGroup[groupKey(m)] += m.amount;
        if (m.isEntry())
            totals->revenueByMonth[m.yearMonth()] += m.amount;
        else if (m.isExit())
            totals->expenseByMonth[m.yearMonth()] += m.amount;
        rows.append({m.yearMonth(), groupKey(m), accountKey(m),
                     m.groupName + QStringLiteral(" - ") + kindText(m.kind), m.accountName, m.number,
                     m.cheque, m.date, m.description, amountText(m.amount)});
    }

    Report report = cashReportPage(cashReportTitle(CashReport::ReceitaDespesa), school,
                                   {kDoc, kCheque, kDate, kHistory, kValue},
                                   periodHeading(period.from, period.to));

    Group &month = report.addGroup(kMonth);
    month.header.height = 70;
    computedLabel(month.header, {0, 15, 1400, 50}, [](const PrintContext &context) {
        return monthHeading(context.value(kMonth).toString());
    }).withFont(font(10, true));
    const auto monthFooter = [totals](Band &band, bool empty) {
        band.height = 170;
        band.line({0, 5, 1900, 0});
        const auto key = [empty](const PrintContext &x) { return empty ? QString() : x.value(kMonth).toString(); };
        computedLabel(band, {900, 20, 1000, 40}, [totals, key](const PrintContext &x) {
            return monthTotalsLine(QStringLiteral("Total das Receitas = "), totals->revenueByMonth.value(key(x)));
        }).aligned(Align::Right).bold();
        computedLabel(band, {900, 70, 1000, 40}, [totals, key](const PrintContext &x) {
            return monthTotalsLine(QStringLiteral("Total das Despesas = "), totals->expenseByMonth.value(key(x)));
        }).aligned(Align::Right).bold();
        computedLabel(band, {900, 120, 1000, 40}, [totals, key](const PrintContext &x) {
            return monthTotalsLine(QStringLiteral("Saldo = "), totals->revenueByMonth.value(key(x))
                                                                 - totals->expenseByMonth.value(key(x)));
        }).aligned(Align::Right).bold();
    };
    monthFooter(month.footer, false);
    monthFooter(report.summary, true);
    report.summary.beforePrint = [](const PrintContext &context) { return context.detailNumber == 0; };

    Group &group = report.addGroup(kGroup);
    group.header.height = 55;
    group.header.label(QStringLiteral("Grupo:"), {40, 8, 160, 42}).withFont(font(9, true));
    group.header.field(QStringLiteral("GrupoTitulo"), {210, 8, 1600, 42}).withFont(font(9, true));
    group.footer.height = 60;
    group.footer.label(QStringLiteral("Total Grupo"), {kHistory.x, 10, kHistory.width, 40})
        .aligned(Align::Right).sized(kCashTextSize).bold();
    computedLabel(group.footer, kValue.rect(10, 40), [totals](const PrintContext &x) {
        return amountText(totals->byGroup.value(x.value(kGroup).toString()));
    }).aligned(Align::Right).bold();

    Group &account = report.addGroup(kAccount);
    account.header.height = 50;
    account.header.label(QStringLiteral("Conta:"), {120, 6, 160, 40}).withFont(font(8.5, true));
    account.header.field(QStringLiteral("ContaTitulo"), {290, 6, 1500, 40}).withFont(font(8.5, true));
    account.footer.height = 55;
    account.footer.line({kValue.x, 4, kValue.width, 0});
    account.footer.label(QStringLiteral("Total Conta"), {kHistory.x, 10, kHistory.width, 40})
        .aligned(Align::Right).sized(kCashTextSize);
    computedLabel(account.footer, kValue.rect(10, 40), [totals](const PrintContext &x) {
        return amountText(totals->byAccount.value(x.value(kAccount).toString()));
    }).aligned(Align::Right);

    Band &detail = report.detail;
    detail.height = kCashRowHeight;
    detail.field(QStringLiteral("CodMovFin_MovFin"), kDoc.rect(0, 38)).aligned(Align::Right).sized(kCashTextSize);
    detail.field(QStringLiteral("Cheque_MovFin"), kCheque.rect(0, 38)).sized(kCashTextSize);
    detail.field(QStringLiteral("Data_MovFin"), kDate.rect(0, 38)).sized(kCashTextSize);
    detail.field(QStringLiteral("Descricao_MovFin"), kHistory.rect(0, 38)).sized(kCashTextSize);
    detail.field(QStringLiteral("Valor"), kValue.rect(0, 38)).aligned(Align::Right).sized(kCashTextSize);

    return layout(report, rows);
}

} // namespace cashbook
