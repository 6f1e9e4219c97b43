#include "reports/engine/Layout.h"
#include "reports/engine/PagePainter.h"
#include "reports/engine/PdfExport.h"
#include "reports/engine/TextMetrics.h"

#include "support/TempDir.h"

#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace reports;

namespace {

Document sample(int rowCount)
{
    Report report;
    report.title = QStringLiteral("Teste");
    report.page.paper = Paper::A4;
    report.pageHeader.height = 100;
    report.pageHeader.label(QStringLiteral("TABELA"), {0, 0, 1900, 60}).aligned(Align::Center).bold();
    report.detail.height = 100;
    report.detail.field(QStringLiteral("NOME"), {0, 0, 1000, 50});
    report.detail.frame({1200, 0, 400, 80}).filled(QColor(Qt::black));
    RecordList rows({QStringLiteral("NOME")});
    for (int i = 0; i < rowCount; ++i)
        rows.append({QStringLiteral("Nome %1").arg(i)});
    return layout(report, rows);
}

} // namespace

TEST(Output, ArialIsDrawnWithLiberationSans)
{
    Font arial;
    EXPECT_EQ(QFontInfo(qtFont(arial, 96)).family(), QStringLiteral("Liberation Sans"));
    // Measured at a fixed resolution: 10 points are 35.3 tenths of a millimetre high.
    EXPECT_NEAR(lineHeight(arial), 41, 3);
    EXPECT_GT(textWidth(font(10, true), QStringLiteral("rrrr")),
              textWidth(font(10), QStringLiteral("rrrr")));
}

TEST(Output, DumpListsPageCoordinatesStyleAndText)
{
    const QStringList lines = sample(1).dumpLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.at(0),
              QStringLiteral("1\t100\t100\ttext 1900x60 Arial 10 bold center\tTABELA"));
    EXPECT_EQ(lines.at(1), QStringLiteral("1\t100\t200\ttext 1000x50 Arial 10 left\tNome 0"));
    EXPECT_EQ(lines.at(2), QStringLiteral("1\t1300\t200\trect 400x80 pen 2 fill #000000\t"));
}

TEST(Output, ThePainterPutsItemsWhereTheDocumentSays)
{
    const Document document = sample(1);
    // 2 pixels per tenth of a millimetre would be huge; 0.2 gives a 420 x 594 picture.
    QImage image(420, 594, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, document, 0, QRectF(0, 0, 420, 594));
    painter.end();
    // The filled frame covers x 1300..1700, y 200..280 -> pixels 260..340, 40..56.
    EXPECT_EQ(image.pixelColor(300, 48), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(300, 70), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(250, 48), QColor(Qt::white));
    // Some ink in the centred title, none left of it.
    bool titleInk = false;
    for (int x = 180; x < 240 && !titleInk; ++x) {
        for (int y = 20; y < 32 && !titleInk; ++y)
            titleInk = image.pixelColor(x, y).lightness() < 128;
    }
    EXPECT_TRUE(titleInk);
    EXPECT_EQ(image.pixelColor(30, 25), QColor(Qt::white));
}

TEST(Output, PdfHasOnePagePerDocumentPage)
{
    TempDir dir;
    const Document document = sample(60); // 26 rows a page
    ASSERT_EQ(document.pageCount(), 3);
    const QString path = dir.file(QStringLiteral("saida.pdf"));
    QString error;
    ASSERT_TRUE(writePdf(document, path, &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.contains("/Count 3"));
    EXPECT_TRUE(bytes.contains("LiberationSans"));
}

TEST(Output, PdfToAFolderThatDoesNotExistFailsWithAMessage)
{
    TempDir dir;
    QString error;
    const QString path = dir.file(QStringLiteral("nao/existe.pdf"));
    EXPECT_FALSE(writePdf(sample(1), path, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Não foi possível gravar o arquivo \"") + path))
        << error.toStdString();
}
