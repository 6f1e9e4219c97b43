#include "reports/engine/Layout.h"

#include "core/Clock.h"
#include "support/TempDir.h"

#include <QDate>
#include <QImage>
#include <gtest/gtest.h>

using namespace reports;

namespace {

RecordList marks()
{
    RecordList rows({QStringLiteral("NOME"), QStringLiteral("NOTA"), QStringLiteral("NASC"),
                     QStringLiteral("TURMA")});
    rows.append({QStringLiteral("Ana"), 7.25, QDate(2001, 3, 5), QStringLiteral("1G1")});
    rows.append({QStringLiteral("Bruno"), 1234.5, QVariant(), QStringLiteral("1G1")});
    rows.append({QStringLiteral("Carla"), QVariant(), QDate(2002, 12, 31), QStringLiteral("1G2")});
    return rows;
}

const Item *findText(const Document &document, const QString &text)
{
    for (const Page &page : document.pages) {
        for (const Item &item : page.items) {
            if (item.kind == Item::Kind::Text && item.text == text)
                return &item;
        }
    }
    return nullptr;
}

QList<Item> itemsOfKind(const Document &document, Item::Kind kind)
{
    QList<Item> found;
    for (const Page &page : document.pages) {
        for (const Item &item : page.items) {
            if (item.kind == kind)
                found.append(item);
        }
    }
    return found;
}

} // namespace

TEST(Elements, FieldsPrintThroughTheirMaskDatesAsDdMmYyyyAndEmptyValuesAsNothing)
{
    Report report;
    report.detail.height = 50;
    report.detail.field(QStringLiteral("NOTA"), {0, 0, 300, 40}, QStringLiteral("###,##0.00"));
    report.detail.field(QStringLiteral("NOTA"), {300, 0, 300, 40}, QStringLiteral("0.0"));
    report.detail.field(QStringLiteral("NASC"), {600, 0, 300, 40});
    RecordList rows = marks();
    const Document document = layout(report, rows);
    EXPECT_EQ(document.texts(0),
              (QStringList{QStringLiteral("7,25"), QStringLiteral("7,3"), QStringLiteral("05/03/2001"),
                           QStringLiteral("1.234,50"), QStringLiteral("1234,5"), QString(),
                           QString(), QString(), QStringLiteral("31/12/2002")}));
}

TEST(Elements, HandlersChangeTextLookAndVisibilityOfOneRowOnly)
{
    Report report;
    report.detail.height = 50;
    int calls = 0;
    report.detail.field(QStringLiteral("NOTA"), {0, 0, 300, 40}, QStringLiteral("0.0"))
        .onPrint([&calls](ElementLook &look, const PrintContext &context) {
            ++calls;
            const QVariant mark = context.value(QStringLiteral("nota"));
            if (mark.isNull()) {
                look.visible = false;
            } else if (mark.toDouble() < 10) {
                look.text = QStringLiteral("* ") + look.text + QStringLiteral(" *");
                look.font.italic = true;
                look.color = Qt::red;
            } else {
                look.font.bold = true;
            }
        });
    RecordList rows = marks();
    const Document document = layout(report, rows);

    EXPECT_EQ(calls, 3);
    EXPECT_EQ(document.texts(0), (QStringList{QStringLiteral("* 7,3 *"), QStringLiteral("1234,5")}));
    const Item *low = findText(document, QStringLiteral("* 7,3 *"));
    ASSERT_TRUE(low);
    EXPECT_TRUE(low->font.italic);
    EXPECT_FALSE(low->font.bold);
    EXPECT_EQ(low->color, QColor(Qt::red));
    const Item *high = findText(document, QStringLiteral("1234,5"));
    ASSERT_TRUE(high);
    EXPECT_TRUE(high->font.bold);
    EXPECT_FALSE(high->font.italic);
    EXPECT_EQ(high->color, QColor(Qt::black));
}

TEST(Elements, ABandHandlerThatSaysNoLeavesTheBandOutAndTakesNoRoom)
{
    Report report;
    report.detail.height = 50;
    report.detail.field(QStringLiteral("NOME"), {0, 0, 300, 40});
    report.detail.beforePrint = [](const PrintContext &context) {
        return context.value(QStringLiteral("TURMA")).toString() == u"1G1";
    };
    report.summary.height = 50;
    report.summary.system(SystemData::DetailNumber, {0, 0, 300, 40}, QStringLiteral("Linhas: "));
    RecordList rows = marks();
    const Document document = layout(report, rows);
    EXPECT_EQ(document.texts(0), (QStringList{QStringLiteral("Ana"), QStringLiteral("Bruno"),
                                              QStringLiteral("Linhas: 2")}));
    EXPECT_EQ(findText(document, QStringLiteral("Linhas: 2"))->rect.y(), 100 + 2 * 50);
}

TEST(Elements, ShapesTakeTheirPenColourFromTheHandler)
{
    Report report;
    report.detail.height = 50;
    report.detail.frame({0, 0, 300, 50}).pen(Qt::black, 3).onPrint(
        [](ElementLook &look, const PrintContext &) { look.penColor = Qt::white; });
    report.detail.line({0, 50, 1900, 0});
    RecordList rows = marks();
    const Document document = layout(report, rows);
    const QList<Item> frames = itemsOfKind(document, Item::Kind::Rect);
    ASSERT_EQ(frames.size(), 3);
    EXPECT_EQ(frames.first().color, QColor(Qt::white));
    EXPECT_EQ(frames.first().penWidth, 3);
    const QList<Item> lines = itemsOfKind(document, Item::Kind::Line);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.at(1).rect, QRect(100, 200, 1900, 0));
}

TEST(Elements, SystemDataShowsPinnedDateAndTimeAndDetailNumbersPerGroup)
{
    core::pinClock(QDateTime(QDate(2010, 1, 21), QTime(14, 5, 9)));
    Report report;
    report.pageHeader.height = 50;
    report.pageHeader.system(SystemData::Date, {0, 0, 300, 40});
    report.pageHeader.system(SystemData::DateTime, {300, 0, 600, 40});
    report.addGroup(QStringLiteral("TURMA"));
    report.detail.height = 50;
    report.detail.system(SystemData::DetailNumber, {0, 0, 100, 40}).resetEach(Scope::Group);
    report.detail.system(SystemData::DetailNumber, {100, 0, 100, 40});
    RecordList rows = marks();
    const Document document = layout(report, rows);
    core::pinClock(QDateTime());
    EXPECT_EQ(document.texts(0),
              (QStringList{QStringLiteral("21/01/2010"), QStringLiteral("21/01/2010 14:05:09"),
                           QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2"),
                           QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("3")}));
}

TEST(Elements, ImagesComeFromTheirFileOrTheFallbackPictureOrNotAtAll)
{
    TempDir dir;
    QImage wide(400, 100, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    const QString logo = dir.file(QStringLiteral("logo.bmp"));
    ASSERT_TRUE(wide.save(logo, "BMP"));
    QImage fallback(50, 50, QImage::Format_RGB32);
    fallback.fill(Qt::green);

    Report report;
    report.pageHeader.height = 300;
    report.pageHeader.image(logo, {0, 0, 400, 200}).fallback(fallback);
    report.pageHeader.image(dir.file(QStringLiteral("falta.bmp")), {500, 0, 200, 200})
        .fallback(fallback);
    report.pageHeader.image(dir.file(QStringLiteral("falta.bmp")), {800, 0, 200, 200});
    RecordList rows = marks();
    const Document document = layout(report, rows);

    const QList<Item> images = itemsOfKind(document, Item::Kind::Image);
    ASSERT_EQ(images.size(), 2);
    EXPECT_EQ(images.at(0).text, logo);
    // A 4:1 picture in a 2:1 frame keeps its shape, centred.
    EXPECT_EQ(images.at(0).rect, QRect(100, 150, 400, 100));
    EXPECT_EQ(images.at(1).text, QString());
    EXPECT_EQ(images.at(1).image.pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(images.at(1).rect, QRect(600, 100, 200, 200));
}

TEST(Elements, AHandlerCanPointAnImageAtAnotherFileForEachRow)
{
    TempDir dir;
    QImage photo(30, 40, QImage::Format_RGB32);
    photo.fill(Qt::red);
    ASSERT_TRUE(photo.save(dir.file(QStringLiteral("Ana.bmp")), "BMP"));
    Report report;
    report.detail.height = 400;
    report.detail.image(QString(), {0, 0, 300, 400})
        .onPrint([&dir](ElementLook &look, const PrintContext &context) {
            look.imageFile = dir.file(context.value(QStringLiteral("NOME")).toString() + ".bmp");
        });
    RecordList rows = marks();
    const Document document = layout(report, rows);
    const QList<Item> images = itemsOfKind(document, Item::Kind::Image);
    ASSERT_EQ(images.size(), 1); // Bruno and Carla have no photograph: their frames stay empty
    EXPECT_EQ(images.first().text, dir.file(QStringLiteral("Ana.bmp")));
}

TEST(Elements, GrowingMemosWrapAtTheirWidthAndPushTheNextBandDown)
{
    const QString text = QStringLiteral(
        "Para efeito de sua Declaração de Imposto de Renda informamos abaixo o valor pago "
        "durante o ano-base relativo ao somatório das mensalidades.\nSegunda linha.");
    Report report;
    report.titleBand.height = 100;
    report.titleBand.memo(QString(), {0, 20, 800, 50}).growing().text = text;
    report.summary.height = 50;
    report.summary.label(QStringLiteral("FIM"), {0, 0, 300, 40});
    RecordList rows({QStringLiteral("X")});
    const Document document = layout(report, rows);

    QStringList lines = document.texts(0);
    ASSERT_EQ(lines.takeLast(), QStringLiteral("FIM"));
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines.join(u' ').replace(QStringLiteral("  "), QStringLiteral(" ")),
              QString(text).replace(u'\n', u' '));
    EXPECT_EQ(lines.last(), QStringLiteral("Segunda linha."));
    const Item *last = findText(document, QStringLiteral("Segunda linha."));
    const Item *end = findText(document, QStringLiteral("FIM"));
    EXPECT_EQ(end->rect.y(), last->rect.y() + last->rect.height());
    for (const Item &item : document.pages.first().items)
        EXPECT_LE(item.rect.width(), 800);
}
