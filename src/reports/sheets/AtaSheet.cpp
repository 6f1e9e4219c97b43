#include "reports/sheets/AtaSheet.h"

#include "reports/sheets/AtaGrid.h"

#include "reports/engine/Canvas.h"
#include "reports/engine/Layout.h"
#include "reports/sheets/AtaRows.h"

#include "core/Formats.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"

#include <algorithm>
#include <memory>

namespace reports {

namespace {

constexpr Tenths kHeaderHeight = AtaGeometry::firstRowY - 100; // the page's top margin is 100
constexpr Tenths kFooterHeight = 300;

struct AtaDrawing
{
    QList<GridClass> groups;
    AtaOptions options;
    AtaMarks marks;
};

QString unitTitle(AtaUnit unit, const QString &schoolYear)
{
    switch (unit) {
    case AtaUnit::Final:
        return QStringLiteral("Ata de Resultados Finais do Rendimento Escolar Referente ao Ano Letivo de ") +
               schoolYear;
    case AtaUnit::Year:
        return QStringLiteral("QUADRO GERAL DE NOTAS - MÉDIA DO ANO");
    default:
        return QStringLiteral("QUADRO GERAL DE NOTAS - %1ª UNIDADE").arg(int(unit));
    }
}

// The value the cells show: the final average in the minutes proper; the chosen unit's mark or
// the year's average in the other unit choices, so that each prints what its title says.
double cellValue(const AtaMarkRow &row, AtaUnit unit)
{
    switch (unit) {
    case AtaUnit::Final:
        return row.finalAverage;
    case AtaUnit::Year:
        return row.yearAverage;
    default:
        return row.units[int(unit) - 1];
    }
}

void drawGridHeading(const AtaDrawing &drawing, Canvas &canvas)
{
    const GridClass *group = drawnGroup(drawing.groups, canvas);
    if (!group)
        return;
    drawGridHeadings(canvas, group->subjects, group->pitch,
                     {AtaGeometry::headingsY, AtaGeometry::workloadY, AtaGeometry::firstRowY});
    canvas.setAlign(Align::Right);
    canvas.text(AtaGeometry::headingX - 20, AtaGeometry::workloadY, QStringLiteral("Carga Horária"));
}

void drawStudentRow(const AtaDrawing &drawing, Canvas &canvas)
{
    const GridClass *group = drawnGroup(drawing.groups, canvas);
    if (!group)
        return;
    const int index = canvas.value(QStringLiteral("STUDENT")).toInt();
    const AtaStudent &student = group->schoolClass.students.at(index);
    const Tenths y = drawStudentName(canvas, index, student.name);

    const AtaOptions &options = drawing.options;
    const double passMark = options.unit == AtaUnit::Final ? drawing.marks.final : drawing.marks.unit;
    int failed = 0;
    canvas.setAlign(Align::Right);
    // Each mark goes under its own subject's heading, so a missing grade row leaves a blank
    // cell instead of shifting the marks after it into the wrong columns.
    for (const AtaMarkRow &row : student.rows) {
        const qsizetype column = subjectColumn(group->subjects, row.subject);
        if (column < 0)
            continue;
        const Tenths x = AtaGeometry::markRight + group->pitch * Tenths(column);
        if (student.isLeaver()) {
            canvas.setColor(Qt::black);
            canvas.text(x, y, QStringLiteral("---"));
            continue;
        }
        const AtaCell cell = printedCell(cellValue(row, options.unit), row.kind, passMark, drawing.marks);
        failed += cell.failed ? 1 : 0;
        canvas.setColor(cell.red ? QColor(Qt::red) : QColor(Qt::black));
        canvas.text(x, y, cell.text);
    }

    QString result = leaverResult(student.situation, student.situationDate);
    if (result.isEmpty() && options.unit == AtaUnit::Final)
        result = resultText(failed, drawing.marks.dependencyLimit, options.texts);
    else if (result.isEmpty())
        result = failed == 0 ? options.texts.approved : QStringLiteral("Recuperação");
    drawRowResult(canvas, group->subjects.size(), group->pitch, y, result);
}

void addPageHeader(Report &report, const data::Settings &settings, const SchoolInfo &school)
{
    const Tenths width = report.page.contentWidth();
    Band &header = report.pageHeader;
    header.height = kHeaderHeight;
    addLogo(header, {0, 0, 220, 220});
    header.label(school.name, {250, 0, 1500, 60}).withFont(font(12, true));
    header.label(school.address, {250, 70, 1500, 40}).sized(8);
    header.label(school.city + QStringLiteral(" - ") + school.state, {250, 110, 1500, 40}).sized(8);
    header.label(QStringLiteral("CGC: ") + settings.CGC, {250, 150, 1500, 40}).sized(8);
    header.label(QStringLiteral("Cadastro Nº ") + settings.Num_Cadastro, {250, 190, 1500, 40}).sized(8);
    header.label(QStringLiteral("Ata de Resultado Final"), {width - 800, 0, 800, 55})
        .aligned(Align::Right)
        .withFont(font(11, true));
    header.system(SystemData::Date, {width - 800, 70, 800, 40}).aligned(Align::Right).sized(8);
    header.system(SystemData::PageNumber, {width - 800, 110, 800, 40}, QStringLiteral("Página  "))
        .aligned(Align::Right)
        .sized(8);
    header.label(report.title, {0, 250, width, 55}).aligned(Align::Center).withFont(font(11, true));
    header.label(QStringLiteral("TURMA:"), {0, 320, 160, 45}).withFont(font(9, true));
    header.field(QStringLiteral("TURMA"), {170, 320, 1500, 45})
        .withFont(font(9, true))
        .onPrint([](ElementLook &look, const PrintContext &context) {
            look.text = context.value(QStringLiteral("TURMA")).toString() + QLatin1Char(' ') +
                        context.value(QStringLiteral("TURMA_DESC")).toString();
        });
}

void addPageFooter(Report &report, const AtaOptions &options, const SchoolInfo &school)
{
    const Tenths width = report.page.contentWidth();
    Band &footer = report.pageFooter;
    footer.height = kFooterHeight;
    footer.label(QStringLiteral("Em ") + core::longDate(options.lastDay) +
                     QStringLiteral(", concluiu-se o processo de apuração dos resultados finais do") +
                     QStringLiteral(" rendimento escolar dos alunos acima relacionados."),
                 {0, 0, width, 40})
        .sized(8);
    footer.label(QStringLiteral("Foram cumpridas as exigências legais quanto aos mínimos de assuidade e carga horária."),
                 {0, 45, width, 40})
        .sized(8);
    footer.label(QStringLiteral("E, para constar, eu, ") + options.secretary +
                     QStringLiteral(", Secretário, lavrei a presente ata que vai assinada pelo Diretor deste "
                                    "estabelecimento."),
                 {0, 90, width, 40})
        .sized(8);
    const QRect signature(width / 2 - 400, 150, 800, 40);
    footer.label(options.director, signature).aligned(Align::Center).sized(8);
    footer.line({signature.left(), 195, signature.width(), 0}).pen(Qt::black, 2);
    footer.label(QStringLiteral("Diretor do Estabelecimento"), signature.translated(0, 55))
        .aligned(Align::Center)
        .sized(8);
    const qsizetype lineBreak = school.footer.indexOf(u'\n');
    footer.label(school.footer.mid(lineBreak + 1), {0, 260, width, 35}).aligned(Align::Right).sized(6);
}

} // namespace

Tenths AtaGeometry::pitchFor(qsizetype subjects, Tenths pageRight)
{
    if (subjects <= 0)
        return pitch;
    const Tenths room = pageRight - resultWidth - resultX;
    return std::min<Tenths>(pitch, room / Tenths(subjects));
}

Document ataSheet(const data::Database &db, const SchoolInfo &school, const AtaOptions &options)
{
    data::Settings settings;
    data::loadSettings(db, settings);
    const bool final = options.unit == AtaUnit::Final;
    auto drawing = std::make_shared<AtaDrawing>();
    drawing->options = options;
    drawing->marks = {settings.unitPassMark, settings.finalPassMark, settings.Limite_Dep};

    Report report;
    report.title = unitTitle(options.unit, settings.Ano_Ref);
    report.page.paper = Paper::A4;
    report.page.orientation = QPageLayout::Landscape;
    const Tenths pageRight = report.page.size().width() - report.page.margins.right();

    for (AtaClass &schoolClass : readAtaClasses(db, {options.classCode, options.skipLeavers, final})) {
        QList<AtaSubject> subjects = gradeSubjects(db, schoolClass.code.left(3), true);
        drawing->groups.append(gridClass(std::move(schoolClass), std::move(subjects), pageRight));
    }
    RecordList records = gridRecords(drawing->groups);

    addPageHeader(report, settings, school);
    addPageFooter(report, options, school);
    report.addGroup(QStringLiteral("TURMA"), true);
    report.detail.height = AtaGeometry::rowPitch;
    report.hooks.pageHeading = [drawing](Canvas &canvas) { drawGridHeading(*drawing, canvas); };
    report.hooks.afterDetail = [drawing](Canvas &canvas) { drawStudentRow(*drawing, canvas); };
    return layout(report, records);
}

ReportEntry ataEntry()
{
    ReportEntry entry;
    entry.name = QStringLiteral("ata");
    entry.menuEntry = QStringLiteral("mnuAtaResultados");
    entry.dialogCaption = QStringLiteral("Defina a Turma  e a Disciplina");
    entry.params = ataParams();
    entry.askAgain = true;
    entry.build = [](const ReportInput &input) {
        return ataSheet(input.db, input.school, ataOptions(input.values));
    };
    return entry;
}

} // namespace reports
