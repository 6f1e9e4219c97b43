// Renders a 1000-page banded report to PDF and, in the same run, draws the same texts straight
// with QPdfWriter and QPainter; prints pages per second for both and the ratio.
// Goal: the engine costs at most 1.5 times the plain drawing, and 1000 pages take under 5 s.
//
//   bench_report [pages] [output folder]

#include "reports/engine/Layout.h"
#include "reports/engine/PdfExport.h"
#include "reports/engine/TextMetrics.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTextStream>
#include <cstdio>
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
            if (item.kind == Item::Kind::Line) {
                painter.setPen(QPen(item.color, item.penWidth * scale));
                colour = QColor();
                painter.drawLine(rect.topLeft(), rect.bottomRight());
                continue;
            }
            if (current != item.font) {
                QFont font(QStringLiteral("Liberation Sans"));
                font.setPointSizeF(item.font.size);
                font.setBold(item.font.bold);
                painter.setFont(font);
                current = item.font;
            }
            if (item.color != colour) {
                painter.setPen(item.color);
                colour = item.color;
            }
            const Qt::Alignment align = item.align == Align::Right ? Qt::AlignRight : Qt::AlignLeft;
            painter.drawText(rect, align | Qt::AlignTop | Qt::TextDontClip, item.text);
        }
    }
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
    QTextStream out(stdout);

    // About 40 lines a page, with a group header and footer after every 60 lines.
    RecordList rows = makeRows(qRound(pages * kRowsPerPage));
    const Report report = makeReport();
    textWidth(Font(), QStringLiteral("warm-up")); // font database start-up is not the engine's

    const QString enginePdf = QDir(folder).filePath(QStringLiteral("report_bench_engine.pdf"));
    const QString rawPdf = QDir(folder).filePath(QStringLiteral("report_bench_raw.pdf"));
    // Best of three alternating runs: neither side pays alone for warming caches, and other
    // work on the machine disturbs the figures less.
    Document document;
    qint64 layoutMs = 0;
    qint64 engineMs = -1;
    qint64 rawMs = -1;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        document = layout(report, rows);
        const qint64 laidOut = timer.elapsed();
        if (!writePdf(document, enginePdf)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(enginePdf));
            return 1;
        }
        if (engineMs < 0 || timer.elapsed() < engineMs) {
            engineMs = timer.elapsed();
            layoutMs = laidOut;
        }
        timer.restart();
        drawRaw(document, rawPdf);
        if (rawMs < 0 || timer.elapsed() < rawMs)
            rawMs = timer.elapsed();
    }

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
    return 0;
}
