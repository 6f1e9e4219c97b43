#include "reports/sheets/ResultSheet.h"

#include "reports/sheets/AtaGrid.h"

#include "reports/cards/CardChoices.h"
#include "reports/engine/Canvas.h"
#include "reports/engine/Layout.h"
#include "reports/sheets/AnalysisSheet.h"
#include "reports/sheets/AtaCells.h"
#include "reports/sheets/AtaSheet.h"
#include "reports/sheets/GeneralSheet.h"

#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"

#include <QHash>
#include <algorithm>
#include <memory>

namespace reports {

namespace {

const QString kYear = QStringLiteral("geral");
const QString kFinal = QStringLiteral("final");

bool yearLevel(AtaUnit unit)
{
    return unit == AtaUnit::Year || unit == AtaUnit::Final;
}

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

struct OutcomeCell
{
    QString subject;
    AtaCell cell;
};

struct OutcomeStudent
{
    qint64 matricula = 0;
    QString name;
    QList<OutcomeCell> cells;
    QString result;
};

// One class of the list with the columns of its grade.
struct OutcomeClass
{
    QString code;
    QString description;
    QList<AtaSubject> subjects;
    Tenths pitch = AtaGeometry::pitch;
    QList<OutcomeStudent> students; // in name order
};

struct OutcomeDrawing
{
    QList<OutcomeClass> classes;
};

// What a list's cells show and the mark they are read against: the average that sorted the
// student into the outcome, or after recovery for the recovery outcomes and for "Média Final".
struct CellRule
{
    bool afterRecovery = false;
    double passMark = 0;
};

CellRule cellRule(const ResultSelection &selection, const AtaMarks &marks)
{
    const bool afterRecovery = selection.type == ResultType::ApprovedAfterRecovery ||
                               selection.type == ResultType::BelowAfterRecovery ||
                               (selection.type >= ResultType::YearPoints && selection.unit == AtaUnit::Final);
    return {afterRecovery, afterRecovery && yearLevel(selection.unit) ? marks.final : marks.unit};
}

AtaCell outcomeCell(const ResultRow &row, const CellRule &rule, const AtaMarks &marks)
{
    return printedCell(rule.afterRecovery ? row.finalAverage : row.average, row.kind, rule.passMark, marks);
}

// The result column: the outcome itself for the lists of one outcome; where the outcome is a
// failure after the final examination (or the year's whole list), the minutes' rule on the
// student's failed subjects of every subject, not only the one listed.
QString outcomeResult(const ResultSelection &selection, int failedSubjects, const AtaMarks &marks)
{
    switch (selection.type) {
    case ResultType::ApprovedByAverage:
    case ResultType::ApprovedAfterRecovery:
        return QStringLiteral("APROVADO");
    case ResultType::Recovery:
        return QStringLiteral("Recuperação");
    case ResultType::BelowAfterRecovery:
        break;
    case ResultType::YearPoints:
    case ResultType::MinimumMark:
        if (selection.unit == AtaUnit::Year)
            return failedSubjects == 0 ? QStringLiteral("APROVADO") : QStringLiteral("Recuperação");
        break;
    }
    if (!yearLevel(selection.unit))
        return QStringLiteral("Recuperação");
    return resultText(failedSubjects, marks.dependencyLimit,
                      {QStringLiteral("APROVADO"), QStringLiteral("PROG.PARCIAL"), QStringLiteral("REPROVADO")});
}

QList<OutcomeClass> outcomeClasses(const data::Database &db, const ResultSelection &selection, const AtaMarks &marks,
                                   Tenths pageRight)
{
    const QList<ResultRow> rows = readResultRows(db, selection, marks.unit, marks.final);
    const CellRule rule = cellRule(selection, marks);
    // The failures behind the result are counted over every subject of the student.
    ResultSelection everySubject = selection;
    everySubject.subject.clear();
    const QList<ResultRow> counted =
        selection.subject.isEmpty() ? rows : readResultRows(db, everySubject, marks.unit, marks.final);
    QHash<QPair<QString, qint64>, int> failures;
    for (const ResultRow &row : counted) {
        if (outcomeCell(row, rule, marks).failed)
            ++failures[{row.classCode, row.matricula}];
    }

    QList<OutcomeClass> classes;
    QHash<qint64, qsizetype> studentIndex; // within the last class
    for (const ResultRow &row : rows) {
        if (classes.isEmpty() || classes.last().code != row.classCode) {
            OutcomeClass schoolClass{row.classCode, row.classDescription};
            for (const AtaSubject &subject : gradeSubjects(db, row.classCode.left(3), selection.onlyConsolidated)) {
                if (selection.subject.isEmpty() || subject.code == selection.subject)
                    schoolClass.subjects.append(subject);
            }
            schoolClass.pitch = AtaGeometry::pitchFor(schoolClass.subjects.size(), pageRight);
            classes.append(schoolClass);
            studentIndex.clear();
        }
        QList<OutcomeStudent> &students = classes.last().students;
        if (!studentIndex.contains(row.matricula)) {
            studentIndex.insert(row.matricula, students.size());
            students.append({row.matricula, row.name, {},
                             outcomeResult(selection, failures.value({row.classCode, row.matricula}), marks)});
        }
        students[studentIndex.value(row.matricula)].cells.append({row.subject, outcomeCell(row, rule, marks)});
    }
    // The rows come subject by subject; the sheet lists the students by name.
    for (OutcomeClass &schoolClass : classes) {
        std::stable_sort(schoolClass.students.begin(), schoolClass.students.end(),
                         [](const OutcomeStudent &a, const OutcomeStudent &b) { return a.name < b.name; });
    }
    return classes;
}

void drawHeadings(const OutcomeDrawing &drawing, Canvas &canvas)
{
    if (const OutcomeClass *schoolClass = drawnGroup(drawing.classes, canvas)) {
        drawGridHeadings(canvas, schoolClass->subjects, schoolClass->pitch,
                         {GeneralGeometry::headingsY, GeneralGeometry::workloadY, GeneralGeometry::firstRowY});
    }
}

void drawStudent(const OutcomeDrawing &drawing, Canvas &canvas)
{
    const OutcomeClass *schoolClass = drawnGroup(drawing.classes, canvas);
    if (!schoolClass)
        return;
    const int index = canvas.value(QStringLiteral("STUDENT")).toInt();
    const OutcomeStudent &student = schoolClass->students.at(index);
    const Tenths y = drawStudentName(canvas, index, student.name);
    canvas.setAlign(Align::Right);
    for (const OutcomeCell &cell : student.cells) {
        const qsizetype column = subjectColumn(schoolClass->subjects, cell.subject);
        if (column < 0)
            continue;
        canvas.setColor(cell.cell.red ? QColor(Qt::red) : QColor(Qt::black));
        canvas.text(AtaGeometry::markRight + schoolClass->pitch * Tenths(column), y, cell.cell.text);
    }
    drawRowResult(canvas, schoolClass->subjects.size(), schoolClass->pitch, y, student.result);
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
    if (!yearLevel(selection.unit) && selection.type >= ResultType::YearPoints) {
        return analysisSheet(db, school, selection,
                             selection.type == ResultType::YearPoints ? Analysis::YearPoints : Analysis::MinimumMark);
    }

    auto drawing = std::make_shared<OutcomeDrawing>();
    Report report;
    report.title = resultHeading(selection.type) + QLatin1Char(' ') + unitCaption(selection.unit);
    report.page.paper = Paper::A4;
    report.page.orientation = QPageLayout::Landscape;
    const Tenths pageRight = report.page.size().width() - report.page.margins.right();
    addListingHeader(report, report.title);
    addFooterLine(report, school.footer);
    report.pageHeader.height = GeneralGeometry::firstRowY - 100; // the page's top margin is 100
    addClassLine(report.pageHeader, GeneralGeometry::classLineY);

    drawing->classes = outcomeClasses(db, selection, marks, pageRight);
    RecordList rows({QStringLiteral("TURMA"), QStringLiteral("TURMA_DESC"), QStringLiteral("CLASS"),
                     QStringLiteral("STUDENT")});
    for (int c = 0; c < drawing->classes.size(); ++c) {
        const OutcomeClass &schoolClass = drawing->classes.at(c);
        for (int i = 0; i < schoolClass.students.size(); ++i)
            rows.append({schoolClass.code, schoolClass.description, c, i});
    }
    report.addGroup(QStringLiteral("TURMA"), true);
    report.detail.height = AtaGeometry::rowPitch;
    report.hooks.pageHeading = [drawing](Canvas &canvas) { drawHeadings(*drawing, canvas); };
    report.hooks.afterDetail = [drawing](Canvas &canvas) { drawStudent(*drawing, canvas); };
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
