#include "reports/sheets/ResultSheet.h"

#include "reports/cards/CardChoices.h"
#include "reports/engine/Layout.h"
#include "reports/sheets/AnalysisSheet.h"
#include "reports/sheets/AtaCells.h"

#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"

namespace reports {

namespace {

const QString kYear = QStringLiteral("geral");
const QString kFinal = QStringLiteral("final");

QString unitCaption(AtaUnit unit)
{
    switch (unit) {
    case AtaUnit::Year:
        return QStringLiteral("Média Geral");
    case AtaUnit::Final:
        return QStringLiteral("Média Final");
    default:
        return QStringLiteral("%1ª Unidade").arg(int(unit));
    }
}

// The column captions and the detail line share these left edges (tenths of a millimetre).
constexpr Tenths kNumberX = 0;
constexpr Tenths kMatriculaX = 90;
constexpr Tenths kNameX = 260;
constexpr Tenths kSubjectX = 1050;
constexpr Tenths kAverageX = 1500;
constexpr Tenths kFinalX = 1700;
constexpr Tenths kCellWidth = 180;

// A mark cell by the rule of the grade sheets: letters for codes and concept subjects, "--"
// for 0, red below the pass mark.
void addMarkCell(Band &band, const QString &field, Tenths x, double passMark, const AtaMarks &marks)
{
    band.field(field, {x, 0, kCellWidth, 45})
        .aligned(Align::Right)
        .sized(9)
        .onPrint([field, passMark, marks](ElementLook &look, const PrintContext &context) {
            const AtaCell cell = printedCell(oneDecimal(context.value(field).toDouble()),
                                             context.value(QStringLiteral("TIPO")).toString(), passMark, marks);
            look.text = cell.text;
            look.color = cell.red ? QColor(Qt::red) : QColor(Qt::black);
        });
}

} // namespace

QList<ReportParam> resultParams()
{
    ReportParam type{QStringLiteral("type"), QStringLiteral("Tipo do Relatório"), ParamKind::Choice,
                     QStringLiteral("1")};
    const char *const captions[] = {"Aprovados por Média",
                                    "Alunos para Recuperação",
                                    "Aprovados após Recuperação",
                                    "Abaixo da Média após Recuperação",
                                    "Total de Pontos no Período",
                                    "Nota Mínima p/ atingimento da Média Final"};
    for (int entry = 1; entry <= 6; ++entry)
        type.choices.append({QString::number(entry), QString::fromUtf8(captions[entry - 1])});
    ReportParam schoolClass{QStringLiteral("class"), QStringLiteral("Apenas a Turma"), ParamKind::Choice};
    schoolClass.choices = {{QString(), QStringLiteral("Todas as Turmas")}};
    schoolClass.choicesFrom = classEntries;
    ReportParam subject{QStringLiteral("subject"), QStringLiteral("Apenas a Disciplina"), ParamKind::Choice};
    subject.choices = {{QString(), QStringLiteral("Todas as Disciplinas")}};
    subject.choicesFrom = subjectEntries;
    ReportParam unit{QStringLiteral("unit"), QStringLiteral("Defina a Unidade "), ParamKind::Choice,
                     QStringLiteral("1")};
    for (int n = 1; n <= 4; ++n)
        unit.choices.append({QString::number(n), unitCaption(AtaUnit(n))});
    unit.choices.append({kYear, unitCaption(AtaUnit::Year)});
    unit.choices.append({kFinal, unitCaption(AtaUnit::Final)});
    return {schoolClass,
            subject,
            unit,
            type,
            {QStringLiteral("only-consolidated"),
             QStringLiteral("Imprimir apenas a Disciplina Consolidada (quando eistir)"), ParamKind::Flag,
             QStringLiteral("N")}};
}

ResultSelection resultSelection(const ReportValues &values)
{
    ResultSelection selection;
    selection.type = ResultType(values.text(QStringLiteral("type")).toInt());
    selection.classCode = values.text(QStringLiteral("class"));
    selection.subject = values.text(QStringLiteral("subject"));
    selection.onlyConsolidated = values.flag(QStringLiteral("only-consolidated"));
    const QString unit = values.text(QStringLiteral("unit"));
    if (unit == kYear)
        selection.unit = AtaUnit::Year;
    else if (unit == kFinal)
        selection.unit = AtaUnit::Final;
    else
        selection.unit = AtaUnit(unit.toInt());
    return selection;
}

Document resultSheet(const data::Database &db, const SchoolInfo &school, const ResultSelection &selection)
{
    data::Settings settings;
    data::loadSettings(db, settings);
    const AtaMarks marks{settings.unitPassMark, settings.finalPassMark, settings.Limite_Dep};
    const bool year = selection.unit == AtaUnit::Year || selection.unit == AtaUnit::Final;
    if (!year && selection.type >= ResultType::YearPoints) {
        return analysisSheet(db, school, selection,
                             selection.type == ResultType::YearPoints ? Analysis::YearPoints : Analysis::MinimumMark);
    }

    Report report;
    report.title = resultHeading(selection.type) + QLatin1Char(' ') + unitCaption(selection.unit);
    report.page.paper = Paper::A4;
    addListingHeader(report, report.title);
    addFooterLine(report, school.footer);

    Group &group = report.addGroup(QStringLiteral("TURMA"));
    Band &header = group.header;
    header.height = 130;
    header.field(QStringLiteral("TURMA"), {0, 10, 1800, 50})
        .withFont(font(10, true))
        .onPrint([](ElementLook &look, const PrintContext &context) {
            look.text = QStringLiteral("TURMA: ") + context.value(QStringLiteral("TURMA")).toString() +
                        QLatin1Char(' ') + context.value(QStringLiteral("TURMA_DESC")).toString();
        });
    const auto caption = [&header](const QString &text, Tenths x, Tenths width, Align align) {
        header.label(text, {x, 75, width, 45}).aligned(align).withFont(font(8, true));
    };
    caption(QStringLiteral("Matrícula"), kMatriculaX, 160, Align::Left);
    caption(QStringLiteral("Nome do Aluno"), kNameX, 700, Align::Left);
    caption(QStringLiteral("Disciplina"), kSubjectX, 440, Align::Left);
    caption(year ? QStringLiteral("Md.Anual") : QStringLiteral("Média"), kAverageX, kCellWidth, Align::Right);
    caption(QStringLiteral("Md.Final"), kFinalX, kCellWidth, Align::Right);
    header.line({0, 125, report.page.contentWidth(), 0}).pen(Qt::black, 2);

    Band &detail = report.detail;
    detail.height = 50;
    detail.system(SystemData::DetailNumber, {kNumberX, 0, 80, 45}).aligned(Align::Right).sized(9).resetEach(Scope::Group);
    detail.field(QStringLiteral("MATRICULA"), {kMatriculaX, 0, 160, 45}).sized(9);
    detail.field(QStringLiteral("NOME"), {kNameX, 0, 780, 45}).sized(9);
    detail.field(QStringLiteral("DISC_DESC"), {kSubjectX, 0, 440, 45}).sized(9);
    addMarkCell(detail, QStringLiteral("AVERAGE"), kAverageX, marks.unit, marks);
    addMarkCell(detail, QStringLiteral("MD_FINAL"), kFinalX, year ? marks.final : marks.unit, marks);

    RecordList rows({QStringLiteral("TURMA"), QStringLiteral("TURMA_DESC"), QStringLiteral("MATRICULA"),
                     QStringLiteral("NOME"), QStringLiteral("DISC_DESC"), QStringLiteral("TIPO"),
                     QStringLiteral("AVERAGE"), QStringLiteral("MD_FINAL")});
    for (const ResultRow &row : readResultRows(db, selection, marks.unit, marks.final)) {
        rows.append({row.classCode, row.classDescription, row.matricula, row.name,
                     row.subject + QLatin1Char(' ') + row.subjectName, row.kind, row.average, row.finalAverage});
    }
    return layout(report, rows);
}

ReportEntry resultEntry()
{
    ReportEntry entry;
    entry.name = QStringLiteral("resultados");
    entry.menuEntry = QStringLiteral("mnuResultadosAvaliacao");
    entry.dialogCaption = QStringLiteral("Defina a Turma  e a Disciplina");
    entry.params = resultParams();
    entry.askAgain = true;
    entry.build = [](const ReportInput &input) {
        return resultSheet(input.db, input.school, resultSelection(input.values));
    };
    return entry;
}

} // namespace reports
