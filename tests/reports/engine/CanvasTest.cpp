#include "reports/engine/Canvas.h"
#include "reports/engine/Layout.h"
#include "reports/engine/TextMetrics.h"

#include <gtest/gtest.h>

using namespace reports;

namespace {

RecordList students(int count)
{
    RecordList rows({QStringLiteral("NOME"), QStringLiteral("NOTA")});
    for (int i = 1; i <= count; ++i)
        rows.append({QStringLiteral("Aluno %1").arg(i), i});
    return rows;
}

} // namespace

TEST(Canvas, HooksRunAtPageStartAfterThePageHeaderAndAfterEveryDetail)
{
    Report report;
    report.page.paper = Paper::A4;
    report.pageHeader.height = 100;
    report.pageHeader.label(QStringLiteral("CABEÇALHO"), {0, 0, 500, 50});
    report.detail.height = 1000;
    QStringList calls;
    report.hooks.pageStart = [&calls](Canvas &canvas) {
        calls << QStringLiteral("start %1").arg(canvas.pageNumber());
        canvas.setPen(Qt::gray, 5);
        canvas.rect({50, 50, 2000, 2870});
    };
    report.hooks.pageHeading = [&calls](Canvas &canvas) {
        calls << QStringLiteral("heading %1 y %2").arg(canvas.pageNumber()).arg(canvas.cursorY());
        canvas.font() = font(25, true);
        canvas.text(1200, 500, QStringLiteral("PORT"));
    };
    report.hooks.afterDetail = [&calls](Canvas &canvas) {
        calls << canvas.value(QStringLiteral("NOME")).toString();
        canvas.font().size = 6;
        canvas.setColor(Qt::red);
        canvas.setAlign(Align::Right);
        canvas.text(1330, canvas.cursorY() - 50, canvas.value(QStringLiteral("NOTA")).toString());
    };
    RecordList rows = students(3); // two details of 1000 fit on a page
    const Document document = layout(report, rows);

    EXPECT_EQ(calls, (QStringList{QStringLiteral("start 1"), QStringLiteral("heading 1 y 200"),
                                  QStringLiteral("Aluno 1"), QStringLiteral("Aluno 2"),
                                  QStringLiteral("start 2"), QStringLiteral("heading 2 y 200"),
                                  QStringLiteral("Aluno 3")}));
    ASSERT_EQ(document.pageCount(), 2);
    const QList<Item> &items = document.pages.first().items;
    ASSERT_EQ(items.size(), 5);
    EXPECT_EQ(items.at(0).kind, Item::Kind::Rect); // drawn before the header
    EXPECT_EQ(items.at(0).color, QColor(Qt::gray));
    EXPECT_EQ(items.at(0).penWidth, 5);
    EXPECT_EQ(items.at(1).text, QStringLiteral("CABEÇALHO"));
    EXPECT_EQ(items.at(2).text, QStringLiteral("PORT"));
    EXPECT_EQ(items.at(2).rect.topLeft(), QPoint(1200, 500));
    EXPECT_TRUE(items.at(2).font.bold);
    EXPECT_EQ(items.at(2).font.size, 25);

    // Right-aligned text ends at x; after the first detail the cursor is at 1200.
    const Item &mark = items.at(3);
    EXPECT_EQ(mark.text, QStringLiteral("1"));
    EXPECT_EQ(mark.align, Align::Right);
    EXPECT_EQ(mark.color, QColor(Qt::red));
    EXPECT_EQ(mark.font.size, 6);
    EXPECT_EQ(mark.rect.x() + mark.rect.width(), 1330);
    EXPECT_EQ(mark.rect.y(), 1150);
    EXPECT_EQ(items.at(4).rect.y(), 2150);
}

TEST(Canvas, CentredTextIsCentredOnItsPosition)
{
    Page page;
    const Record record;
    const PrintContext context{record, 1, 0};
    Canvas canvas(page, context, 0);
    canvas.setAlign(Align::Center);
    canvas.text(1000, 100, QStringLiteral("RESULTADO"));
    const Item &item = page.items.first();
    EXPECT_NEAR(item.rect.x() + item.rect.width() / 2.0, 1000, 1);
    EXPECT_NEAR(item.rect.width(), textWidth(Font(), QStringLiteral("RESULTADO")), 1);
}

TEST(Canvas, LabelColumnsFillRowsLeftToRightAndBreakPages)
{
    Report report;
    report.page.paper = Paper::A4;
    report.page.margins = {150, 100, 100, 100};
    report.detailColumns.count = 3;
    report.detailColumns.gap = 25;
    report.detail.height = 1000;
    report.detail.field(QStringLiteral("NOME"), {20, 20, 500, 40});
    report.summary.height = 50;
    report.summary.label(QStringLiteral("FIM"), {0, 0, 300, 40});
    RecordList rows = students(11); // 2 rows of 3 on a page (y 100 and 1100)
    const Document document = layout(report, rows);

    ASSERT_EQ(document.pageCount(), 2);
    // Width 2100 - 150 - 100 = 1850: three columns of (1850 - 2 * 25) / 3 = 600.
    const QList<Item> &first = document.pages.at(0).items;
    ASSERT_EQ(first.size(), 6);
    const QList<QPoint> expected{{170, 120},  {795, 120},  {1420, 120},
                                 {170, 1120}, {795, 1120}, {1420, 1120}};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(first.at(i).rect.topLeft(), expected.at(i)) << i;
    const QList<Item> &second = document.pages.at(1).items;
    ASSERT_EQ(second.size(), 6);
    EXPECT_EQ(second.at(4).text, QStringLiteral("Aluno 11"));
    EXPECT_EQ(second.at(4).rect.topLeft(), QPoint(795, 1120));
    // An unfinished row ends before the next band.
    EXPECT_EQ(second.at(5).text, QStringLiteral("FIM"));
    EXPECT_EQ(second.at(5).rect.topLeft(), QPoint(150, 2100));
}
