#include "billing/reports/RevenueReport.h"

#include "billing/reports/BillingReportPage.h"
#include "core/Formats.h"
#include "reports/engine/DataSource.h"
#include "reports/engine/Layout.h"

#include <QHash>
#include <memory>

namespace billing {

using namespace reports;

namespace {

struct ClassTotals
{
    core::Money previsto;
    core::Money recebido;
};

} // namespace

QString revenueTitle(const BillingChoice &choice)
{
    return QStringLiteral("RECEITA PREVISTA X REALIZADA") +
           (choice.upToMonth ? QStringLiteral(" - Até o mês: ") : QStringLiteral(" - Apenas para o mês: ")) +
           core::monthName(choice.month, core::LetterCase::Upper);
}

Document revenueReport(const QList<RevenueLine> &lines, const BillingChoice &choice, bool perClass,
                       const SchoolInfo &school)
{
    const QList<ReportColumn> columns{{QStringLiteral("TURMA"), 0, 200},
                                      {perClass ? QStringLiteral("Turma") : QStringLiteral("Nome do Aluno"), 220, 1200},
                                      {QStringLiteral("Receita Prevista"), 1450, 350, Align::Right},
                                      {QStringLiteral("Realizada"), 1830, 350, Align::Right},
                                      {QStringLiteral("Tipo Cobrança"), 2220, 550}};
    const QString title = revenueTitle(choice);
    Report report = billingReportPage(title, QString(), school, columns);
    auto totals = std::make_shared<QHash<QString, ClassTotals>>();
    ClassTotals grand;
    RecordList rows({QStringLiteral("TURMA"), QStringLiteral("NOME"), QStringLiteral("PREVISAO"),
                     QStringLiteral("RECEBIDO"), QStringLiteral("TIPO")});
    for (const RevenueLine &l : lines) {
        rows.append({l.turma, perClass ? l.classDescription : QString::number(l.matricula) + QStringLiteral(" - ") + l.nome,
                     moneyText(l.previsto), moneyText(l.recebido), kindText(l.tipo)});
        ClassTotals &t = (*totals)[l.turma];
        t.previsto += l.previsto;
        t.recebido += l.recebido;
        grand.previsto += l.previsto;
        grand.recebido += l.recebido;
    }
    report.detail.height = kRowHeight;
    const QStringList fields = rows.fieldNames();
    for (int c = 0; c < columns.size(); ++c)
        report.detail.field(fields.at(c), columns.at(c).rect(0)).aligned(columns.at(c).align).sized(kTextSize);

    const Tenths width = report.page.contentWidth();
    Group &byClass = report.addGroup(QStringLiteral("TURMA"));
    byClass.footer.height = 65;
    byClass.footer.line({columns.at(2).x, 3, columns.at(3).x + columns.at(3).width - columns.at(2).x, 0});
    byClass.footer.label(QStringLiteral("TOTAL NA TURMA"), {220, 10, 1200, 45}).withFont(font(kTextSize, true));
    textFrom(byClass.footer, columns.at(2).rect(10), [totals](const PrintContext &context) {
        return moneyText(totals->value(context.value(QStringLiteral("TURMA")).toString()).previsto);
    }).aligned(Align::Right).bold();
    textFrom(byClass.footer, columns.at(3).rect(10), [totals](const PrintContext &context) {
        return moneyText(totals->value(context.value(QStringLiteral("TURMA")).toString()).recebido);
    }).aligned(Align::Right).bold();

    report.summary.height = 70;
    report.summary.line({0, 5, width, 0});
    report.summary.label(QStringLiteral("TOTAL GERAL"), {220, 15, 1200, 45}).withFont(font(9, true));
    report.summary.label(moneyText(grand.previsto), columns.at(2).rect(15, 45)).aligned(Align::Right).withFont(font(9, true));
    report.summary.label(moneyText(grand.recebido), columns.at(3).rect(15, 45)).aligned(Align::Right).withFont(font(9, true));
    return reports::layout(report, rows);
}

} // namespace billing
