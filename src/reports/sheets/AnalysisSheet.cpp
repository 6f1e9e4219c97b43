#include "reports/sheets/AnalysisSheet.h"

#include "reports/sheets/AtaGrid.h"

#include "reports/engine/Canvas.h"
#include "reports/engine/Layout.h"
#include "reports/sheets/AnalysisCells.h"
#include "reports/sheets/AtaRows.h"
#include "reports/sheets/AtaSheet.h"

#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"

#include <algorithm>
#include <memory>

namespace reports {

namespace {

constexpr Tenths kHeaderHeight = 420;
constexpr Tenths kHeadingsY = 100 + 350; // the page's top margin is 100

struct AnalysisDrawing
{
    QList<GridClass> groups;
    AnalysisMarks marks;
    Analysis analysis = Analysis::YearPoints;
};

void drawHeadings(const AnalysisDrawing &drawing, Canvas &canvas)
{
    const GridClass *group = drawnGroup(drawing.groups, canvas);
    if (!group)
        return;
    canvas.setFont(font(7, true));
    canvas.setColor(Qt::black);
    canvas.setAlign(Align::Left);
    canvas.text(AtaGeometry::nameX, kHeadingsY, QStringLiteral("Nome do Aluno"));
    const qsizetype headingLength = 10 * group->pitch / AtaGeometry::pitch;
    for (qsizetype k = 0; k < group->subjects.size(); ++k) {
        canvas.text(AtaGeometry::headingX + group->pitch * Tenths(k), kHeadingsY,
                    group->subjects.at(k).shortName.left(headingLength));
    }
}

void drawStudent(const AnalysisDrawing &drawing, Canvas &canvas)
{
    const GridClass *group = drawnGroup(drawing.groups, canvas);
    if (!group)
        return;
    const int index = canvas.value(QStringLiteral("STUDENT")).toInt();
    const AtaStudent &student = group->schoolClass.students.at(index);
    const Tenths y = drawStudentName(canvas, index, student.name);
    canvas.setAlign(Align::Right);
    for (const AtaMarkRow &row : student.rows) {
        const qsizetype column = subjectColumn(group->subjects, row.subject);
        if (column < 0)
            continue;
        const Tenths x = AtaGeometry::markRight + group->pitch * Tenths(column);
        double points = 0;
        for (int unit = 0; unit < drawing.marks.units; ++unit)
            points += row.units[unit];
        AtaCell cell;
        if (student.isLeaver())
            cell.text = QStringLiteral("---");
        else if (drawing.analysis == Analysis::YearPoints)
            cell = pointsCell(points, row.kind, drawing.marks);
        else
            cell = minimumMarkCell(points, drawing.marks);
        canvas.setColor(cell.red ? QColor(Qt::red) : QColor(Qt::black));
        canvas.text(x, y, cell.text);
    }
}

} // namespace

Document analysisSheet(const data::Database &db, const SchoolInfo &school, const ResultSelection &selection,
                       Analysis analysis)
{
    data::Settings settings;
    data::loadSettings(db, settings);
    auto drawing = std::make_shared<AnalysisDrawing>();
    drawing->analysis = analysis;
    drawing->marks.marks = {settings.unitPassMark, settings.finalPassMark, settings.Limite_Dep};
    drawing->marks.units = std::clamp(settings.Unid_Aval, 1, 4);
    drawing->marks.examWeight1 = settings.Peso_1;
    drawing->marks.examWeight2 = settings.Peso_2;

    Report report;
    report.title = analysis == Analysis::YearPoints ? QStringLiteral("SOMA DE PONTOS NO ANO")
                                                    : QStringLiteral("Nota Mínima p/ atingimento da Média Final");
    report.page.paper = Paper::A4;
    report.page.orientation = QPageLayout::Landscape;
    const Tenths pageRight = report.page.size().width() - report.page.margins.right();
    addListingHeader(report, report.title);
    addFooterLine(report, school.footer);
    report.pageHeader.height = kHeaderHeight;
    addClassLine(report.pageHeader, 260);

    // Leavers stay in: their cells read "---".
    for (AtaClass &schoolClass : readAtaClasses(db, {selection.classCode, false, selection.onlyConsolidated})) {
        QList<AtaSubject> subjects;
        for (const AtaSubject &subject : gradeSubjects(db, schoolClass.code.left(3), selection.onlyConsolidated)) {
            if (selection.subject.isEmpty() || subject.code == selection.subject)
                subjects.append(subject);
        }
        drawing->groups.append(gridClass(std::move(schoolClass), std::move(subjects), pageRight));
    }
    RecordList records = gridRecords(drawing->groups);

    report.addGroup(QStringLiteral("TURMA"), true);
    report.detail.height = AtaGeometry::rowPitch;
    report.hooks.pageHeading = [drawing](Canvas &canvas) { drawHeadings(*drawing, canvas); };
    report.hooks.afterDetail = [drawing](Canvas &canvas) { drawStudent(*drawing, canvas); };
    return layout(report, records);
}

} // namespace reports
