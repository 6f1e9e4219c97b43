// Renders a 1000-page banded report to PDF and, in the same run, draws the same texts straight
// with QPdfWriter and QPainter; prints pages per second for both and the ratio.
// Goal: the engine costs at most 1.5 times the plain drawing, and 1000 pages take under 5 s.
// Then the report cards of a demo school of 2000 students (one page each), read from the store
// and laid out by the card rules: under 5 s to PDF, at most 1.5 times the same pages drawn
// plainly, and the process under 300 MB.
//
//   bench_report [pages] [output folder] [card students]

#include "reports/cards/CardOptions.h"
#include "reports/cards/ReportCards.h"
#include "reports/engine/Layout.h"
#include "reports/engine/PdfExport.h"
#include "reports/engine/TextMetrics.h"

#include "data/demo/DemoSchool.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "grades/DemoMarks.h"
#include "grades/GradeRowsDemo.h"
#include "grades/Ranking.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <functional>
#include <optional>

using namespace reports;

namespace {

constexpr int kRowsPerGroup = 60;
constexpr double kRowsPerPage = 39.7; // what the geometry below holds

RecordList makeRows(int count)
{
    RecordList rows({QStringLiteral("TURMA"), QStringLiteral("MATRICULA"), QStringLiteral("NOME"),
                     QStringLiteral("MENSALIDADE"), QStringLiteral("SIT")});
    for (int i = 0; i < count; ++i) {
        rows.append({QStringLiteral("T%1").arg(i / kRowsPerGroup, 4, 10, QLatin1Char('0')),
                     double(20100000 + i), QStringLiteral("ALUNO DE TESTE NÚMERO %1").arg(i),
                     250.0 + (i % 17) * 12.35, i % 9 == 0 ? QStringLiteral("T") : QString()});
    }
    return rows;
}

Report makeReport()
{
    Report report;
    report.title = QStringLiteral("RELAÇÃO DE ALUNOS POR TURMA");
    report.page.paper = Paper::A4;
    Band &header = report.pageHeader;
    header.height = 160;
    header.label(report.title, {0, 0, 1900, 70}).aligned(Align::Center).withFont(font(14, true));
    header.system(SystemData::DateTime, {0, 90, 600, 40});
    header.system(SystemData::PageNumber, {1400, 90, 500, 40}, QStringLiteral("Página  "))
        .aligned(Align::Right);
    header.line({0, 150, 1900, 0});

    Group &group = report.addGroup(QStringLiteral("TURMA"));
    group.header.height = 60;
    group.header.field(QStringLiteral("TURMA"), {0, 5, 400, 45}).bold();
    group.footer.height = 60;
    group.footer.label(QStringLiteral("Total da turma:"), {900, 5, 500, 45});
    group.footer.sum(QStringLiteral("MENSALIDADE"), {1400, 5, 500, 45},
                     QStringLiteral("###,###,##0.00"), Scope::Group)
        .aligned(Align::Right)
        .bold();

    Band &detail = report.detail;
    detail.height = 60;
    detail.system(SystemData::DetailNumber, {0, 5, 100, 45}, QString())
        .resetEach(Scope::Group)
        .aligned(Align::Right);
    detail.field(QStringLiteral("MATRICULA"), {150, 5, 250, 45}, QStringLiteral("0"));
    detail.field(QStringLiteral("NOME"), {420, 5, 900, 45})
        .onPrint([](ElementLook &look, const PrintContext &context) {
            if (context.value(QStringLiteral("SIT")).toString() == u"T")
                look.color = Qt::red;
        });
    detail.field(QStringLiteral("MENSALIDADE"), {1400, 5, 500, 45},
                 QStringLiteral("###,###,##0.00"))
        .aligned(Align::Right);

    Band &footer = report.pageFooter;
    footer.height = 100;
    footer.line({0, 10, 1900, 0});
    footer.label(QStringLiteral("Lumesco v 2010.01.21"), {0, 30, 900, 40}).sized(8);
    footer.sum(QStringLiteral("MENSALIDADE"), {1400, 30, 500, 40}, QStringLiteral("###,##0.00"),
               Scope::Page)
        .aligned(Align::Right)
        .sized(8);
    return report;
}

// The same texts and lines, drawn one by one without the engine (its document only says
// what and where).
void drawRaw(const Document &document, const QString &path)
{
    QPdfWriter writer(path);
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(document.pageSize, document.orientation, QMarginsF()));
    QPainter painter(&writer);
    const double scale = writer.resolution() / 254.0;
    std::optional<Font> current;
    QColor colour;
    for (int p = 0; p < document.pageCount(); ++p) {
        if (p > 0)
            writer.newPage();
        for (const Item &item : document.pages.at(p).items) {
            const QRectF rect(item.rect.x() * scale, item.rect.y() * scale,
                              item.rect.width() * scale, item.rect.height() * scale);
            if (item.kind == Item::Kind::Line || item.kind == Item::Kind::Rect) {
                painter.setPen(QPen(item.color, item.penWidth * scale));
                colour = QColor();
                if (item.kind == Item::Kind::Line)
                    painter.drawLine(rect.topLeft(), rect.bottomRight());
                else
                    painter.drawRect(rect);
                continue;
            }
            if (item.kind == Item::Kind::Image) {
                painter.drawImage(rect, item.image);
                continue;
            }
            if (current != item.font) {
                QFont font(QStringLiteral("Liberation Sans"));
                font.setPointSizeF(item.font.size);
                font.setBold(item.font.bold);
                font.setItalic(item.font.italic);
                painter.setFont(font);
                current = item.font;
            }
            if (item.color != colour) {
                painter.setPen(item.color);
                colour = item.color;
            }
            const Qt::Alignment align = item.align == Align::Right    ? Qt::AlignRight
                                        : item.align == Align::Center ? Qt::AlignHCenter
                                                                      : Qt::AlignLeft;
            painter.drawText(rect, align | Qt::AlignTop | Qt::TextDontClip, item.text);
        }
    }
}

// Best of three alternating runs of `build` + PDF against the plain drawing of its document:
// neither side pays alone for warming caches, and other work on the machine disturbs the figures
// less.
struct Timing
{
    Document document;
    qint64 buildMs = 0;
    qint64 engineMs = -1;
    qint64 rawMs = -1;
};

Timing timeRuns(const std::function<Document()> &build, const QString &enginePdf, const QString &rawPdf)
{
    Timing timing;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        timing.document = build();
        const qint64 built = timer.elapsed();
        if (!writePdf(timing.document, enginePdf)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(enginePdf));
            std::exit(1);
        }
        if (timing.engineMs < 0 || timer.elapsed() < timing.engineMs) {
            timing.engineMs = timer.elapsed();
            timing.buildMs = built;
        }
        timer.restart();
        drawRaw(timing.document, rawPdf);
        if (timing.rawMs < 0 || timer.elapsed() < timing.rawMs)
            timing.rawMs = timer.elapsed();
    }
    return timing;
}

// The process's peak resident memory, in MiB (Linux).
qint64 peakMemoryMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() / 1024;
    }
    return -1;
}

class SilentReporter : public core::RunReporter
{
public:
    void begin(const QString &, int, bool) override {}
    void step(int, const QString &) override {}
    void note(core::Severity, const QString &text, const QString &) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    bool cancelled() const override { return false; }
    void finish(core::RunOutcome) override {}
};

void benchCards(int students, const QString &folder, QTextStream &out)
{
    QTemporaryDir dir;
    const data::Database db = data::createSchoolYear(QDir(dir.path()).filePath(QStringLiteral("2026")),
                                                     QStringLiteral("2026"));
    SilentReporter reporter;
    QElapsedTimer setUp;
    setUp.start();
    if (!data::demo::fillDemoSchool(db, QStringLiteral("2026"), reporter, {students, 1}) ||
        grades::generateDemoGradeRows(db, reporter) != core::RunOutcome::Completed ||
        grades::fillDemoMarks(db, reporter, 1) != core::RunOutcome::Completed ||
        grades::rankStudents(db, reporter) != core::RunOutcome::Completed) {
        std::fprintf(stderr, "cannot fill the demo school\n");
        std::exit(1);
    }
    out << "cards: demo school of " << students << " students ready in " << setUp.elapsed() << " ms\n";
    data::Settings settings;
    data::loadSettings(db, settings);
    const SchoolInfo school = SchoolInfo::fromSettings(settings);
    CardOptions options;
    options.skipLeavers = false; // every student's page
    options.result = CardResult::Final;
    options.positions = true;
    options.currentUnit = kAnnualUnit;
    const Timing timing = timeRuns([&] { return reportCards(db, school, options); },
                                   QDir(folder).filePath(QStringLiteral("report_bench_cards.pdf")),
                                   QDir(folder).filePath(QStringLiteral("report_bench_cards_raw.pdf")));
    const int pages = timing.document.pageCount();
    out << "cards: " << pages << " pages in " << timing.engineMs << " ms (rows and layout " << timing.buildMs
        << " ms, PDF " << timing.engineMs - timing.buildMs << " ms), goal < 5000 ms; raw QPainter "
        << timing.rawMs << " ms; ratio " << QString::number(double(timing.engineMs) / timing.rawMs, 'f', 2)
        << " (goal <= 1.5); peak memory " << peakMemoryMiB() << " MiB (goal < 300)\n";
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int pages = args.size() > 1 ? args.at(1).toInt() : 1000;
    const QString folder = args.size() > 2 ? args.at(2) : QDir::tempPath();
    const int cardStudents = args.size() > 3 ? args.at(3).toInt() : 2000;
    QTextStream out(stdout);

    // About 40 lines a page, with a group header and footer after every 60 lines.
    RecordList rows = makeRows(qRound(pages * kRowsPerPage));
    const Report report = makeReport();
    textWidth(Font(), QStringLiteral("warm-up")); // font database start-up is not the engine's

    const QString enginePdf = QDir(folder).filePath(QStringLiteral("report_bench_engine.pdf"));
    const QString rawPdf = QDir(folder).filePath(QStringLiteral("report_bench_raw.pdf"));
    const Timing timing = timeRuns([&] { return layout(report, rows); }, enginePdf, rawPdf);
    const Document &document = timing.document;
    const qint64 layoutMs = timing.buildMs;
    const qint64 engineMs = timing.engineMs;
    const qint64 rawMs = timing.rawMs;

    const int count = document.pageCount();
    int texts = 0;
    for (const Page &page : document.pages)
        texts += page.items.size();
    out << "pages: " << count << ", items: " << texts << ", rows: " << rows.size() << '\n';
    out << "engine: " << engineMs << " ms (layout " << layoutMs << " ms, PDF "
        << engineMs - layoutMs << " ms), " << QString::number(count * 1000.0 / engineMs, 'f', 1)
        << " pages/s, " << QFile(enginePdf).size() / 1024 << " KiB\n";
    out << "raw QPainter: " << rawMs << " ms, " << QString::number(count * 1000.0 / rawMs, 'f', 1)
        << " pages/s, " << QFile(rawPdf).size() / 1024 << " KiB\n";
    out << "ratio engine/raw: " << QString::number(double(engineMs) / rawMs, 'f', 2)
        << " (goal <= 1.5), 1000 pages in "
        << QString::number(engineMs * 1000.0 / count / 1000.0, 'f', 2) << " s (goal < 5 s)\n";
    out.flush();
    if (cardStudents > 0)
        benchCards(cardStudents, folder, out);
    return 0;
}
