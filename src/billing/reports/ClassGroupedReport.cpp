#include "billing/reports/ClassGroupedReport.h"

#include "reports/engine/DataSource.h"
#include "reports/engine/Layout.h"

#include <QHash>
#include <QSet>
#include <memory>

namespace billing {

using namespace reports;

namespace {

const QString kRow = QStringLiteral("ROW");
const QString kClass = QStringLiteral("TURMA");
const QString kStudent = QStringLiteral("ALUNO");

// Every total the footers print, summed once in exact centavos before the layout runs.
struct Totals
{
    QHash<QString, QList<core::Money>> byStudent; // class + student -> one sum per amount column
    QHash<QString, core::Money> byClass;
    QHash<QString, QSet<qint64>> studentsByClass;
    core::Money grand;
};

QString studentKey(const ChargeLine &line)
{
    return line.turma + u'|' + QString::number(line.matricula);
}

} // namespace

Document classGroupedReport(const QList<ChargeLine> &lines, const ClassGroupedLayout &layout, const SchoolInfo &school)
{
    auto totals = std::make_shared<Totals>();
    const auto shared = std::make_shared<const QList<ChargeLine>>(lines);
    RecordList rows({kClass, kStudent, kRow});
    for (int i = 0; i < lines.size(); ++i) {
        const ChargeLine &line = lines.at(i);
        QList<core::Money> &sums = totals->byStudent[studentKey(line)];
        if (sums.isEmpty())
            sums.resize(layout.columns.size());
        for (int c = 0; c < layout.columns.size(); ++c) {
            if (layout.columns.at(c).amount)
                sums[c] += layout.columns.at(c).amount(line);
        }
        totals->byClass[line.turma] += layout.total(line);
        totals->studentsByClass[line.turma].insert(line.matricula);
        totals->grand += layout.total(line);
        rows.append({line.turma, studentKey(line), i});
    }

    QList<ReportColumn> captions;
    for (const LineColumn &c : layout.columns)
        captions << c.column;
    Report report = billingReportPage(layout.title, layout.subtitle, school, captions);
    const Tenths width = report.page.contentWidth();
    const auto lineOf = [shared](const PrintContext &context) -> const ChargeLine & {
        return shared->at(context.value(kRow).toInt());
    };

    report.detail.height = kRowHeight;
    for (const LineColumn &c : layout.columns) {
        textFrom(report.detail, c.column.rect(0), [lineOf, text = c.text](const PrintContext &context) {
            return text(lineOf(context));
        }).aligned(c.column.align);
    }

    Group &byClass = report.addGroup(kClass);
    byClass.header.height = 70;
    textFrom(byClass.header, {0, 15, width, 45}, [lineOf](const PrintContext &context) {
        const ChargeLine &line = lineOf(context);
        return QStringLiteral("TURMA: ") + line.turma + QStringLiteral(" - ") + line.classDescription;
    }).withFont(font(9, true));
    byClass.footer.height = 120;
    byClass.footer.line({0, 5, width, 0});
    byClass.footer.label(layout.classTotalCaption, {0, 15, 900, 45}).withFont(font(kTextSize, true));
    textFrom(byClass.footer, {900, 15, 300, 45}, [totals, lineOf](const PrintContext &context) {
        return moneyText(totals->byClass.value(lineOf(context).turma));
    }).aligned(Align::Right).bold();
    textFrom(byClass.footer, {0, 65, width, 45}, [totals, lineOf](const PrintContext &context) {
        return QStringLiteral("Quantidade Total de Alunos Relacionados na Turma: ") +
               QString::number(totals->studentsByClass.value(lineOf(context).turma).size()) + u'.';
    }).bold();

    Group &byStudent = report.addGroup(kStudent);
    byStudent.footer.height = kRowHeight + 10;
    byStudent.footer.label(QStringLiteral("SubTotal:"), layout.columns.at(1).column.rect(5)).withFont(font(kTextSize, true));
    for (int c = 0; c < layout.columns.size(); ++c) {
        if (!layout.columns.at(c).amount)
            continue;
        byStudent.footer.line({layout.columns.at(c).column.x, 2, layout.columns.at(c).column.width, 0}).pen(Qt::gray, 1);
        textFrom(byStudent.footer, layout.columns.at(c).column.rect(5), [totals, c, lineOf](const PrintContext &context) {
            return moneyText(totals->byStudent.value(studentKey(lineOf(context))).value(c));
        }).aligned(Align::Right).bold();
    }

    Tenths top = 10;
    if (!layout.grandTotalCaption.isEmpty()) {
        report.summary.label(layout.grandTotalCaption, {0, top, 900, 45}).withFont(font(9, true));
        report.summary.label(moneyText(totals->grand), {900, top, 300, 45}).aligned(Align::Right).withFont(font(9, true));
        top += 60;
    }
    if (!layout.footnote.isEmpty()) {
        report.summary.label(layout.footnote, {0, top, width, 45}).sized(kTextSize).italic();
        top += 60;
    }
    report.summary.height = top;
    return reports::layout(report, rows);
}

} // namespace billing
