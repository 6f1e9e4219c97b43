#include "reports/sheets/GeneralSheet.h"

#include "reports/sheets/AtaGrid.h"

#include "reports/engine/Canvas.h"
#include "reports/engine/Layout.h"
#include "reports/sheets/AtaRows.h"
#include "reports/sheets/AtaSheet.h"

#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"

#include <algorithm>
#include <memory>

namespace reports {

namespace {

const QString kOnlyConsolidated = QStringLiteral("only-consolidated");
const QString kFlaggedText = QStringLiteral("flagged-text");

struct GeneralDrawing
{
    QList<GridClass> groups;
    GeneralSelection selection;
    AtaMarks marks;
};

QString unitTitle(AtaUnit unit)
{
    switch (unit) {
    case AtaUnit::Final:
        return QStringLiteral("QUADRO GERAL DE NOTAS - MÉDIA FINAL");
    case AtaUnit::Year:
        return QStringLiteral("QUADRO GERAL DE NOTAS - MÉDIA DO ANO");
    default:
        return QStringLiteral("QUADRO GERAL DE NOTAS - %1ª UNIDADE").arg(int(unit));
    }
}

// The unit's mark, the year's average, or for "Média Final" the average after recovery.
double cellValue(const AtaMarkRow &row, AtaUnit unit)
{
    switch (unit) {
    case AtaUnit::Final:
        return row.recoveryAverage;
    case AtaUnit::Year:
        return row.yearAverage;
    default:
        return row.units[int(unit) - 1];
    }
}

void drawHeadings(const GeneralDrawing &drawing, Canvas &canvas)
{
    if (const GridClass *group = drawnGroup(drawing.groups, canvas)) {
        drawGridHeadings(canvas, group->subjects, group->pitch,
                         {GeneralGeometry::headingsY, GeneralGeometry::workloadY, GeneralGeometry::firstRowY});
    }
}

void drawStudent(const GeneralDrawing &drawing, Canvas &canvas)
{
    const GridClass *group = drawnGroup(drawing.groups, canvas);
    if (!group)
        return;
    const int index = canvas.value(QStringLiteral("STUDENT")).toInt();
    const AtaStudent &student = group->schoolClass.students.at(index);
    const Tenths y = drawStudentName(canvas, index, student.name);

    const AtaUnit unit = drawing.selection.unit;
    const bool faces = drawing.selection.faces;
    const bool final = unit == AtaUnit::Final;
    const double passMark = final ? drawing.marks.final : drawing.marks.unit;
    int failed = 0;
    bool secondCall = false;
    canvas.setAlign(Align::Right);
    for (const AtaMarkRow &row : student.rows) {
        if (faces && student.flagged)
            break;
        const qsizetype column = subjectColumn(group->subjects, row.subject);
        if (column < 0)
            continue;
        const Tenths x = AtaGeometry::markRight + group->pitch * Tenths(column);
        const double value = oneDecimal(cellValue(row, unit));
        if (faces && !student.isLeaver()) {
            const FaceCell cell = faceCell(value, row.kind, passMark);
            failed += cell.face ? 1 : 0;
            secondCall = secondCall || cell.secondCall;
            canvas.setFont(cell.face ? Font{QStringLiteral("DejaVu Sans"), 12} : font(8));
            canvas.setColor(Qt::black);
            canvas.text(x, y, cell.text);
            continue;
        }
        AtaCell cell;
        if (student.isLeaver())
            cell.text = QStringLiteral("---");
        else
            cell = printedCell(value, row.kind, passMark, drawing.marks);
        failed += cell.failed ? 1 : 0;
        canvas.setColor(cell.red ? QColor(Qt::red) : QColor(Qt::black));
        canvas.text(x, y, cell.text);
    }
    QString result = leaverResult(student.situation, student.situationDate);
    if (result.isEmpty() && final) {
        result = resultText(failed, drawing.marks.dependencyLimit,
                            {QStringLiteral("APROVADO"), QStringLiteral("PROG.PARCIAL"), QStringLiteral("REPROVADO")});
    } else if (result.isEmpty()) {
        result = failed == 0 ? QStringLiteral("APROVADO") : QStringLiteral("Recuperação");
    }
    // A missing mark leaves the outcome open: no approval, a second call.
    if (secondCall && failed == 0)
        result = QStringLiteral("2ª Chamada");
    else if (secondCall)
        result += QStringLiteral(" / 2ª Chamada");
    if (faces && student.flagged)
        result = drawing.selection.flaggedText;
    drawRowResult(canvas, group->subjects.size(), group->pitch, y, result);
}

} // namespace

FaceCell faceCell(double value, const QString &kind, double passMark)
{
    if (value == 90)
        return {QStringLiteral("D")};
    if (value == 0 || (value > 10 && value < 90))
        return {QStringLiteral("--"), false, true};
    if (value < passMark && kind == QLatin1String("N"))
        return {kSadFace, true};
    return {};
}

QList<ReportParam> generalParams(bool faces)
{
    QList<ReportParam> params;
    for (const ReportParam &param : ataParams()) {
        const QString &name = param.name;
        if (name == QStringLiteral("class") || name == QStringLiteral("unit") || name == QStringLiteral("keep-leavers"))
            params.append(param);
    }
    params.append({kOnlyConsolidated, QStringLiteral("Imprimir apenas a Disciplina Consolidada (quando eistir)"),
                   ParamKind::Flag, QStringLiteral("N")});
    if (faces) {
        params.append({kFlaggedText, QStringLiteral("Use o texto abaixo para os ALunos MARCADOS"), ParamKind::Text,
                       QStringLiteral("PROCURAR A SECRETARIA")});
    }
    return params;
}

GeneralSelection generalSelection(const ReportValues &values)
{
    GeneralSelection selection{values.text(QStringLiteral("class")), ataUnit(values.text(QStringLiteral("unit"))),
                               values.flag(kOnlyConsolidated), !values.flag(QStringLiteral("keep-leavers"))};
    const auto &params = values.params();
    selection.faces = std::any_of(params.cbegin(), params.cend(),
                                  [](const ReportParam &param) { return param.name == kFlaggedText; });
    if (selection.faces)
        selection.flaggedText = values.text(kFlaggedText);
    return selection;
}

Document generalSheet(const data::Database &db, const SchoolInfo &school, const GeneralSelection &selection)
{
    data::Settings settings;
    data::loadSettings(db, settings);
    auto drawing = std::make_shared<GeneralDrawing>();
    drawing->selection = selection;
    drawing->marks = {settings.unitPassMark, settings.finalPassMark, settings.Limite_Dep};

    Report report;
    report.title = unitTitle(selection.unit);
    report.page.paper = Paper::A4;
    report.page.orientation = QPageLayout::Landscape;
    const Tenths pageRight = report.page.size().width() - report.page.margins.right();
    addListingHeader(report, report.title);
    addFooterLine(report, school.footer);
    report.pageHeader.height = GeneralGeometry::firstRowY - 100; // the page's top margin is 100
    addClassLine(report.pageHeader, GeneralGeometry::classLineY);

    for (AtaClass &schoolClass :
         readAtaClasses(db, {selection.classCode, selection.skipLeavers, selection.onlyConsolidated})) {
        QList<AtaSubject> subjects = gradeSubjects(db, schoolClass.code.left(3), selection.onlyConsolidated);
        drawing->groups.append(gridClass(std::move(schoolClass), std::move(subjects), pageRight));
    }
    RecordList records = gridRecords(drawing->groups);

    report.addGroup(QStringLiteral("TURMA"), true);
    report.detail.height = AtaGeometry::rowPitch;
    report.hooks.pageHeading = [drawing](Canvas &canvas) { drawHeadings(*drawing, canvas); };
    report.hooks.afterDetail = [drawing](Canvas &canvas) { drawStudent(*drawing, canvas); };
    return layout(report, records);
}

ReportEntry generalEntry()
{
    ReportEntry entry;
    entry.name = QStringLiteral("medias-geral");
    entry.menuEntry = QStringLiteral("mnuMediasDisciplinasCoord");
    entry.dialogCaption = QStringLiteral("Defina a Turma  e a Disciplina");
    entry.params = generalParams();
    entry.askAgain = false;
    entry.build = [](const ReportInput &input) {
        return generalSheet(input.db, input.school, generalSelection(input.values));
    };
    return entry;
}

ReportEntry facesEntry()
{
    ReportEntry entry = generalEntry();
    entry.name = QStringLiteral("medias-graficos");
    entry.menuEntry = QStringLiteral("mnuMediasGraficosCoord");
    entry.params = generalParams(true);
    return entry;
}

} // namespace reports
