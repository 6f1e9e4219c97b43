#include "reports/cards/TableBoundCard.h"

#include "reports/MarkCell.h"
#include "reports/cards/CardChoices.h"
#include "reports/cards/CardHeading.h"
#include "reports/cards/CardRules.h"
#include "reports/engine/Layout.h"

#include "core/Formats.h"
#include "data/settings/Rounding.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Query.h"

#include <QHash>

namespace reports {

namespace {

constexpr Tenths kRowHeight = 50;

// Code to a row's text fields, read once per card.
QHash<QString, QStringList> lookup(const data::Database &db, const QString &sql)
{
    data::Query query(db);
    query.setSql(sql);
    query.open();
    QHash<QString, QStringList> rows;
    for (query.first(); !query.eof(); query.next()) {
        QStringList values;
        for (int i = 1; i < query.fieldCount(); ++i)
            values << query.asText(i);
        rows.insert(query.asText(0), values);
    }
    return rows;
}

} // namespace

double tableCardAnnualAverage(const std::array<double, 4> &units)
{
    return data::roundOneDecimal((units[0] + units[1] + units[2] + units[3]) * 0.25);
}

double tableCardFinalAverage(double annualAverage, double finalExam, double unitPassMark)
{
    return annualAverage < unitPassMark ? (annualAverage + finalExam) * 0.5 : annualAverage;
}

QString tableCardTotalPoints(const std::array<double, 4> &units)
{
    const double sum = units[0] + units[1] + units[2] + units[3];
    return sum > 100 ? QStringLiteral("---") : core::formatNumber(sum, QStringLiteral("#,##0.0"));
}

Document tableBoundCard(const data::Database &db, const SchoolInfo &school, const TableCardRequest &request)
{
    if (!request.student && request.classCode.isEmpty())
        throw ReportParamError(QStringLiteral("Informe a turma ou a matrícula."));
    data::Settings settings;
    data::loadSettings(db, settings);
    const CardRules rules = CardRules::fromSettings(settings);

    const QHash<QString, QStringList> classes = lookup(db, QStringLiteral("select TURMA, DESCRICAO from Tabturma"));
    const QHash<QString, QStringList> subjects = lookup(db, QStringLiteral("select CODIGO, DESCRICAO, TIPO from DISCPL"));
    data::Query marks(db);
    marks.setSql(QStringLiteral("select * from NOTAS where %1 order by Turma, Nome, MATRICULA, DISC")
                     .arg(request.student ? QStringLiteral("MATRICULA = :key") : QStringLiteral("Turma = :key")));
    marks.bind(QStringLiteral("key"), request.student ? QVariant(double(*request.student)) : QVariant(request.classCode));
    marks.open();

    RecordList rows({QStringLiteral("TURMA"), QStringLiteral("turma_desc"), QStringLiteral("MATRICULA"),
                     QStringLiteral("NOME"), QStringLiteral("discpl_desc"), QStringLiteral("TIPO"), QStringLiteral("UND1"),
                     QStringLiteral("UND2"), QStringLiteral("UND3"), QStringLiteral("UND4"), QStringLiteral("FALTAS"),
                     QStringLiteral("MD_ANUAL"), QStringLiteral("PFINAL"), QStringLiteral("MD_FINAL"),
                     QStringLiteral("TOTAL_PONTOS")});
    for (marks.first(); !marks.eof(); marks.next()) {
        std::array<double, 4> units{};
        int absences = 0;
        for (int unit = 1; unit <= 4; ++unit) {
            units.at(std::size_t(unit - 1)) = marks.asFloat(QStringLiteral("UND%1").arg(unit));
            absences += int(marks.asInteger(QStringLiteral("FLT%1").arg(unit)));
        }
        const double annual = tableCardAnnualAverage(units);
        const double finalExam = marks.asFloat("PFINAL");
        const QString turma = marks.asText("Turma");
        const QStringList subject = subjects.value(marks.asText("DISC"));
        QVariantList row{turma, classes.value(turma).value(0), marks.value("MATRICULA"), marks.value("Nome"),
                         subject.value(0), subject.value(1)};
        for (int unit = 1; unit <= 4; ++unit)
            row << marks.value(QStringLiteral("UND%1").arg(unit));
        row << absences << annual << marks.value("PFINAL")
            << tableCardFinalAverage(annual, finalExam, rules.passMarks.unit) << tableCardTotalPoints(units);
        rows.append(row);
    }

    Report report;
    report.title = QStringLiteral("Boletim");
    report.page.paper = Paper::A4;
    const Tenths width = report.page.contentWidth();
    report.pageHeader.height = addStudentHeading(report.pageHeader, school, QStringLiteral("BOLETIM"), width);

    struct Column
    {
        QString caption;
        QString field;
        std::optional<MarkColumn> mark;
    };
    const QList<Column> columns{{unitCaption(rules.termUnit, 1), QStringLiteral("UND1"), MarkColumn::Unit},
                                {unitCaption(rules.termUnit, 2), QStringLiteral("UND2"), MarkColumn::Unit},
                                {unitCaption(rules.termUnit, 3), QStringLiteral("UND3"), MarkColumn::Unit},
                                {unitCaption(rules.termUnit, 4), QStringLiteral("UND4"), MarkColumn::Unit},
                                {QStringLiteral("Faltas"), QStringLiteral("FALTAS"), std::nullopt},
                                {QStringLiteral("Média"), QStringLiteral("MD_ANUAL"), MarkColumn::AnnualAverage},
                                {QStringLiteral("P.Final"), QStringLiteral("PFINAL"), MarkColumn::FinalExam},
                                {QStringLiteral("Md.Final"), QStringLiteral("MD_FINAL"), MarkColumn::FinalAverage},
                                {QStringLiteral("Total Pontos"), QStringLiteral("TOTAL_PONTOS"), std::nullopt}};
    const Tenths subjectWidth = 560;
    const Tenths columnWidth = (width - subjectWidth) / Tenths(columns.size());

    Group &student = report.addGroup(QStringLiteral("MATRICULA"), true);
    student.header.height = 80;
    student.header.label(QStringLiteral("Disciplinas"), {0, 20, subjectWidth, 45}).withFont(font(9, true));
    student.header.line({0, 75, width, 0});
    report.detail.height = kRowHeight;
    report.detail.field(QStringLiteral("discpl_desc"), {10, 5, subjectWidth - 10, kRowHeight - 5}).sized(8);
    const PassMarks passMarks = rules.passMarks;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const Column column = columns.at(i);
        const QRect rect(subjectWidth + Tenths(i) * columnWidth, 0, columnWidth, kRowHeight);
        student.header.label(column.caption, rect.translated(0, 20).adjusted(0, 0, 0, -5))
            .aligned(Align::Center)
            .withFont(font(7, true));
        report.detail.frame(rect).pen(Qt::black, 1);
        Element &cell = report.detail.field(column.field, rect.adjusted(0, 5, 0, 0), column.mark ? QStringLiteral("0.0") : QString())
                            .aligned(Align::Center)
                            .sized(8);
        if (!column.mark)
            continue;
        cell.onPrint([column, passMarks](ElementLook &look, const PrintContext &context) {
            MarkCellInput input;
            input.value = numberOf(context.value(column.field));
            input.column = *column.mark;
            input.subjectType = context.value(QStringLiteral("TIPO")).toString();
            input.passMarks = passMarks;
            input.finalExam = numberOf(context.value(QStringLiteral("PFINAL")));
            printMarkCell(look, markCell(input));
        });
    }
    addFooterLine(report, school.footer);
    return layout(report, rows);
}

ReportEntry tableBoundCardEntry()
{
    ReportParam schoolClass{QStringLiteral("class"), QStringLiteral("Apenas a Turma"), ParamKind::Choice};
    schoolClass.choices = {{QString(), QString()}};
    schoolClass.choicesFrom = classEntries;
    ReportEntry entry;
    entry.name = QStringLiteral("boletim-geral");
    entry.menuEntry = QStringLiteral("mnuBoletimGeral");
    entry.dialogCaption = QStringLiteral("Defina ");
    entry.params = {schoolClass, {QStringLiteral("student"), QStringLiteral("Apenas o Aluno (Matrícula)"), ParamKind::Text}};
    entry.build = [](const ReportInput &input) {
        TableCardRequest request;
        request.classCode = input.values.text(QStringLiteral("class"));
        const QString student = input.values.text(QStringLiteral("student")).trimmed();
        if (!student.isEmpty()) {
            request.student = core::parseInteger(student);
            if (!request.student)
                throw ReportParamError(QStringLiteral("Matrícula inválida!"));
        }
        return tableBoundCard(input.db, input.school, request);
    };
    return entry;
}

} // namespace reports
