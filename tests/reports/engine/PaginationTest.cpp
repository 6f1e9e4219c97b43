#include "reports/engine/Layout.h"

#include <gtest/gtest.h>

using namespace reports;

namespace {

// A4 portrait with 10 mm margins: the body runs from y 100 to 2770 above a 10 mm footer.
Report listReport()
{
    Report report;
    report.page.paper = Paper::A4;
    report.pageHeader.height = 100;
    report.pageHeader.label(QStringLiteral("CABEÇALHO"), {0, 0, 1000, 50});
    report.pageHeader.system(SystemData::PageNumber, {1500, 0, 400, 50},
                             QStringLiteral("Página "));
    report.detail.height = 100;
    report.detail.field(QStringLiteral("NOME"), {0, 0, 1000, 50});
    report.pageFooter.height = 100;
    report.pageFooter.label(QStringLiteral("RODAPÉ"), {0, 0, 1000, 50});
    return report;
}

RecordList names(int count, const QString &group = QString(), int groupSize = 1)
{
    RecordList rows({QStringLiteral("NOME"), QStringLiteral("GRUPO"), QStringLiteral("VALOR")});
    for (int i = 1; i <= count; ++i) {
        const QString key = group + QString::number((i - 1) / groupSize + 1);
        rows.append({QStringLiteral("Aluno %1").arg(i), key, i * 1.5});
    }
    return rows;
}

// y of the first text item with this text on a page (-1 when absent).
int yOf(const Document &document, int page, const QString &text)
{
    for (const Item &item : document.pages.value(page).items) {
        if (item.kind == Item::Kind::Text && item.text == text)
            return item.rect.y();
    }
    return -1;
}

} // namespace

TEST(Pagination, RowsThatDoNotFitGoToTheNextPageWithHeaderAndFooterOnEveryPage)
{
    Report report = listReport();
    RecordList rows = names(60);
    const Document document = layout(report, rows);

    // 25 rows of 100 fit between y 200 and 2770.
    ASSERT_EQ(document.pageCount(), 3);
    EXPECT_EQ(yOf(document, 0, QStringLiteral("Aluno 1")), 200);
    EXPECT_EQ(yOf(document, 0, QStringLiteral("Aluno 25")), 2600);
    EXPECT_EQ(yOf(document, 1, QStringLiteral("Aluno 26")), 200);
    EXPECT_EQ(yOf(document, 2, QStringLiteral("Aluno 60")), 200 + 9 * 100);
    for (int page = 0; page < 3; ++page) {
        EXPECT_EQ(yOf(document, page, QStringLiteral("CABEÇALHO")), 100);
        EXPECT_EQ(yOf(document, page, QStringLiteral("RODAPÉ")), 2770);
        EXPECT_EQ(yOf(document, page, QStringLiteral("Página %1").arg(page + 1)), 100);
    }
}

TEST(Pagination, EmptyDataStillGivesOnePageWithTitleAndSummary)
{
    Report report = listReport();
    report.titleBand.height = 80;
    report.titleBand.label(QStringLiteral("TÍTULO"), {0, 0, 1000, 60});
    report.summary.height = 60;
    report.summary.label(QStringLiteral("FIM"), {0, 0, 1000, 60});
    RecordList rows = names(0);
    const Document document = layout(report, rows);
    ASSERT_EQ(document.pageCount(), 1);
    EXPECT_EQ(document.texts(0), (QStringList{QStringLiteral("CABEÇALHO"), QStringLiteral("Página 1"),
                                              QStringLiteral("TÍTULO"), QStringLiteral("FIM"),
                                              QStringLiteral("RODAPÉ")}));
}

TEST(Pagination, ABandTallerThanWhatIsLeftMovesWholeToTheNextPage)
{
    Report report = listReport();
    report.summary.height = 500;
    report.summary.label(QStringLiteral("TOTAL"), {0, 400, 1000, 50});
    RecordList rows = names(23); // the last row ends at 2500; 270 are left
    const Document document = layout(report, rows);
    ASSERT_EQ(document.pageCount(), 2);
    EXPECT_EQ(yOf(document, 1, QStringLiteral("TOTAL")), 200 + 400);
    EXPECT_EQ(yOf(document, 1, QStringLiteral("RODAPÉ")), 2770);
}

TEST(Pagination, GroupHeaderWithNewPageStartsEachGroupOnItsOwnPage)
{
    Report report = listReport();
    Group &group = report.addGroup(QStringLiteral("GRUPO"), true);
    group.header.height = 60;
    group.header.field(QStringLiteral("GRUPO"), {0, 0, 500, 50});
    RecordList rows = names(9, QStringLiteral("T"), 3);
    const Document document = layout(report, rows);

    // The first group does not leave a page with only a header behind.
    ASSERT_EQ(document.pageCount(), 3);
    for (int page = 0; page < 3; ++page) {
        EXPECT_EQ(yOf(document, page, QStringLiteral("T%1").arg(page + 1)), 200);
        EXPECT_EQ(yOf(document, page, QStringLiteral("Aluno %1").arg(page * 3 + 1)), 260);
    }
}

TEST(Pagination, GroupHeaderWithNewPageAfterATitleStaysOnTheFirstPage)
{
    Report report = listReport();
    report.titleBand.height = 80;
    report.titleBand.label(QStringLiteral("TÍTULO"), {0, 0, 1000, 60});
    report.addGroup(QStringLiteral("GRUPO"), true).header.height = 60;
    RecordList rows = names(4, QStringLiteral("T"), 2);
    const Document document = layout(report, rows);
    ASSERT_EQ(document.pageCount(), 2);
    EXPECT_EQ(yOf(document, 0, QStringLiteral("Aluno 1")), 100 + 100 + 80 + 60);
}

TEST(Pagination, GroupFootersCloseInnerGroupsFirstAndSeeTheRowsOfTheirOwnGroup)
{
    RecordList rows({QStringLiteral("CLASSE"), QStringLiteral("ALUNO"), QStringLiteral("NOTA")});
    rows.append({QStringLiteral("A"), QStringLiteral("Ana"), 7.0});
    rows.append({QStringLiteral("A"), QStringLiteral("Ana"), 8.0});
    rows.append({QStringLiteral("A"), QStringLiteral("Bia"), 5.0});
    rows.append({QStringLiteral("B"), QStringLiteral("Caio"), 9.0});

    Report report;
    Group &outer = report.addGroup(QStringLiteral("CLASSE"));
    outer.header.field(QStringLiteral("CLASSE"), {0, 0, 300, 40}).named(QStringLiteral("h"));
    outer.header.height = 50;
    outer.footer.height = 50;
    outer.footer.label(QStringLiteral("fim classe"), {0, 0, 300, 40});
    outer.footer.field(QStringLiteral("CLASSE"), {300, 0, 300, 40});
    Group &inner = report.addGroup(QStringLiteral("ALUNO"));
    inner.header.height = 50;
    inner.header.field(QStringLiteral("ALUNO"), {0, 0, 300, 40});
    inner.footer.height = 50;
    inner.footer.label(QStringLiteral("fim aluno"), {0, 0, 300, 40});
    inner.footer.field(QStringLiteral("ALUNO"), {300, 0, 300, 40});
    inner.footer.sum(QStringLiteral("NOTA"), {600, 0, 300, 40}, QStringLiteral("0.0"), Scope::Group);
    outer.footer.sum(QStringLiteral("NOTA"), {600, 0, 300, 40}, QStringLiteral("0.0"), Scope::Group);
    report.summary.height = 50;
    report.summary.sum(QStringLiteral("NOTA"), {600, 0, 300, 40}, QStringLiteral("0.0"));
    report.detail.height = 50;
    report.detail.field(QStringLiteral("NOTA"), {0, 0, 300, 40}, QStringLiteral("0.0"));

    const Document document = layout(report, rows);
    const QStringList expected{
        QStringLiteral("A"),          QStringLiteral("Ana"),  QStringLiteral("7,0"),
        QStringLiteral("8,0"),        QStringLiteral("fim aluno"), QStringLiteral("Ana"),
        QStringLiteral("15,0"),       QStringLiteral("Bia"),  QStringLiteral("5,0"),
        QStringLiteral("fim aluno"),  QStringLiteral("Bia"),  QStringLiteral("5,0"),
        QStringLiteral("fim classe"), QStringLiteral("A"),    QStringLiteral("20,0"),
        QStringLiteral("B"),          QStringLiteral("Caio"), QStringLiteral("9,0"),
        QStringLiteral("fim aluno"),  QStringLiteral("Caio"), QStringLiteral("9,0"),
        QStringLiteral("fim classe"), QStringLiteral("B"),    QStringLiteral("9,0"),
        QStringLiteral("29,0")};
    EXPECT_EQ(document.texts(0), expected);
}

TEST(Pagination, PageSumsStartAgainOnEveryPageAndCountTheRowsThatMoved)
{
    Report report = listReport();
    report.pageFooter.sum(QStringLiteral("VALOR"), {1000, 0, 500, 50}, QStringLiteral("###,##0.00"),
                          Scope::Page);
    RecordList rows = names(30); // values 1,5 .. 45; 25 on the first page
    const Document document = layout(report, rows);
    ASSERT_EQ(document.pageCount(), 2);
    // 1.5 * (1 + .. + 25) = 487.5; 1.5 * (26 + .. + 30) = 210
    EXPECT_TRUE(document.texts(0).contains(QStringLiteral("487,50")));
    EXPECT_TRUE(document.texts(1).contains(QStringLiteral("210,00")));
}

TEST(Pagination, LandscapeTurnsThePage)
{
    Report report = listReport();
    report.page.orientation = QPageLayout::Landscape;
    RecordList rows = names(20); // 17 rows of 100 fit between y 200 and 1900
    const Document document = layout(report, rows);
    EXPECT_EQ(document.size, QSize(2970, 2100));
    ASSERT_EQ(document.pageCount(), 2);
    EXPECT_EQ(yOf(document, 0, QStringLiteral("RODAPÉ")), 1900);
    EXPECT_EQ(yOf(document, 1, QStringLiteral("Aluno 18")), 200);
}

// A total under a column must equal what a reader adds up from the printed cells: each value is
// added as printed, so three cells of 0,005 (printed 0,01) total 0,03, and thousands of 0,10 /
// 0,20 / 0,30 do not drift.
TEST(Pagination, PrintedTotalEqualsTheSumOfThePrintedCells)
{
    const QString mask = QStringLiteral("###,##0.00");
    Report report;
    report.detail.height = 10;
    report.detail.field(QStringLiteral("VALOR"), {0, 0, 500, 10}, mask);
    report.summary.height = 50;
    report.summary.sum(QStringLiteral("VALOR"), {0, 0, 500, 50}, mask);

    RecordList halves({QStringLiteral("VALOR")});
    for (int i = 0; i < 3; ++i)
        halves.append({0.005});
    Document document = layout(report, halves);
    EXPECT_EQ(document.texts(0),
              (QStringList{QStringLiteral("0,01"), QStringLiteral("0,01"), QStringLiteral("0,01"),
                           QStringLiteral("0,03")}));

    RecordList many({QStringLiteral("VALOR")});
    for (int i = 0; i < 3000; ++i) {
        for (double v : {0.10, 0.20, 0.30})
            many.append({v});
    }
    document = layout(report, many);
    EXPECT_EQ(document.texts(document.pageCount() - 1).constLast(), QStringLiteral("1.800,00"));
}
