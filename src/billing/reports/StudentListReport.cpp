#include "billing/reports/StudentListReport.h"

#include "reports/engine/DataSource.h"
#include "reports/engine/Layout.h"

#include <QHash>

namespace billing {

using namespace reports;

QList<StudentListLine> studentListLines(const QList<ChargeLine> &lines,
                                        const std::function<core::Money(const ChargeLine &)> &amount)
{
    QList<StudentListLine> students;
    QHash<qint64, qsizetype> where;
    for (const ChargeLine &line : lines) {
        auto found = where.constFind(line.matricula);
        if (found == where.cend()) {
            found = where.insert(line.matricula, students.size());
            students.append({line.matricula, line.nome, line.turma, QString(), {}});
        }
        StudentListLine &student = students[*found];
        if (!student.parcelas.isEmpty())
            student.parcelas += QStringLiteral(" - ");
        student.parcelas += QString::number(line.parcela);
        student.amount += amount(line);
    }
    return students;
}

Document studentListReport(const QList<ChargeLine> &lines, const StudentListLayout &layout, const SchoolInfo &school)
{
    const QList<StudentListLine> students = studentListLines(lines, layout.amount);
    const QList<ReportColumn> columns{{QStringLiteral("Matrícula"), 0, 180},
                                      {QStringLiteral("Nome do Aluno"), 200, 800},
                                      {QStringLiteral("Turma"), 1020, 150},
                                      {QStringLiteral("Parcelas"), 1190, 1200},
                                      {layout.amountCaption, 2420, 350, Align::Right}};
    Report report = billingReportPage(layout.title, layout.subtitle, school, columns);
    RecordList rows({QStringLiteral("MATRICULA"), QStringLiteral("NOME"), QStringLiteral("TURMA"),
                     QStringLiteral("PARCELAS"), QStringLiteral("VALOR")});
    core::Money total;
    for (const StudentListLine &s : students) {
        rows.append({QString::number(s.matricula), s.nome, s.turma, s.parcelas,
                     layout.showAmounts ? moneyText(s.amount) : QString()});
        total += s.amount;
    }
    report.detail.height = kRowHeight;
    const QStringList fields = rows.fieldNames();
    for (int c = 0; c < columns.size(); ++c)
        report.detail.field(fields.at(c), columns.at(c).rect(0)).aligned(columns.at(c).align).sized(kTextSize);
    const Tenths width = report.page.contentWidth();
    report.summary.height = 70;
    report.summary.line({0, 5, width, 0});
    report.summary.label(QStringLiteral("Quantidade de Alunos: %1").arg(students.size()), {0, 15, 1000, 45})
        .withFont(font(9, true));
    if (layout.showAmounts) {
        report.summary.label(QStringLiteral("Total:"), {1190, 15, 600, 45}).withFont(font(9, true));
        report.summary.label(moneyText(total), columns.last().rect(15, 45)).aligned(Align::Right).withFont(font(9, true));
    }
    return reports::layout(report, rows);
}

} // namespace billing
