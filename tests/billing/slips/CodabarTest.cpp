#include "billing/slips/Codabar.h"
#include "billing/slips/Decoding.h"
#include "billing/slips/SlipRows.h"

#include <QDate>
#include <gtest/gtest.h>
#include "support/QStringPrinting.h"
#include <zint.h>

using namespace billing;

namespace {

// zint keeps a row's modules as bits, eight to a byte, lowest bit first.
bool zintModule(const zint_symbol *symbol, int row, int x)
{
    return (symbol->encoded_data[row][x >> 3] >> (x & 7)) & 1;
}

// zint's own Codabar, an independent encoder: its row of modules as run lengths, in units of
// its narrowest element.
QList<int> zintElementWidths(const QString &data)
{
    zint_symbol *symbol = ZBarcode_Create();
    symbol->symbology = BARCODE_CODABAR;
    const QByteArray bytes = data.toLatin1();
    const int error = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char *>(bytes.constData()),
                                      int(bytes.size()));
    QList<int> widths;
    if (error < ZINT_ERROR) {
        int run = 0;
        bool dark = true;
        for (int x = 0; x < symbol->width; ++x) {
            const bool set = zintModule(symbol, 0, x);
            if (set == dark) {
                ++run;
            } else {
                widths << run;
                run = 1;
                dark = set;
            }
        }
        widths << run;
    }
    ZBarcode_Delete(symbol);
    const int narrow = widths.isEmpty() ? 1 : *std::min_element(widths.cbegin(), widths.cend());
    for (int &w : widths)
        w = w == narrow ? 1 : 2;
    return widths;
}

bool isDark(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

} // namespace

TEST(SlipNumber, IsTheStudentNumberThenTheDueDateAsYearMonthDay)
{
    EXPECT_EQ(slipNumber(1234, QDate(2004, 3, 5)), "123420040305");
    // A one-digit student number is not padded; month and day are.
    EXPECT_EQ(slipNumber(1, QDate(2004, 12, 10)), "120041210");
    EXPECT_EQ(slipNumber(7, QDate(2026, 1, 9)), "720260109");
}

TEST(Codabar, PublishedPatternsBetweenStartAAndStopBWithANarrowGapAfterEachCharacter)
{
    // "0": the start A, the digit, the stop B, each followed by one narrow space; no check
    // character.
    EXPECT_EQ(codabarModules(QStringLiteral("0")),
              QStringLiteral("1011001001") + u'0' + QStringLiteral("101010011") + u'0' + QStringLiteral("1001001011") +
                  u'0');
    // Narrow elements are one module and wide ones two, never more.
    const QList<int> widths = codabarElementWidths(QStringLiteral("123420040305"));
    for (int w : widths)
        EXPECT_TRUE(w == 1 || w == 2);
    // Seven elements a character plus its gap, for the 14 characters.
    EXPECT_EQ(widths.size(), 14 * 8 - 1 + 1);
    // Letters inside the data would be read as a stop character.
    EXPECT_TRUE(codabarModules(QStringLiteral("12A4")).isEmpty());
    EXPECT_TRUE(codabarModules(QStringLiteral("12x4")).isEmpty());
    EXPECT_FALSE(codabarModules(QStringLiteral("12-3$4:5/6.7+8")).isEmpty());
}

TEST(Codabar, AgreesWithZintCharacterForCharacter)
{
    for (const QString &data : {QStringLiteral("123420040305"), QStringLiteral("0123456789"), QStringLiteral("-$:/.+"),
                                QStringLiteral("120041210")}) {
        // zint counts the narrow space after the stop character too.
        EXPECT_EQ(codabarElementWidths(data), zintElementWidths(QStringLiteral("A") + data + QStringLiteral("B")))
            << data.toStdString();
    }
}

TEST(Codabar, DrawsOnePixelModulesFortyFivePixelsHighAtLeftTenTopFive)
{
    const QString number = slipNumber(1234, QDate(2004, 3, 5));
    const CodabarDrawing drawing = drawCodabar(number);
    ASSERT_FALSE(drawing.image.isNull());
    // A slip number is wider than the 120 pixels asked for, so the module stays 1.
    EXPECT_GT(drawing.naturalWidth, 120);
    EXPECT_EQ(drawing.module, 1);
    const QString modules = codabarModules(number);
    for (int i = 0; i < drawing.naturalWidth; ++i)
        ASSERT_EQ(isDark(drawing.image, kCodabarLeft + i, kCodabarTop + 20), modules[i] == u'1') << i;
    // The first bar runs from row 5 to row 49; the margin left of it and above it is clear.
    EXPECT_FALSE(isDark(drawing.image, kCodabarLeft - 1, kCodabarTop + 20));
    EXPECT_FALSE(isDark(drawing.image, kCodabarLeft, kCodabarTop - 1));
    EXPECT_TRUE(isDark(drawing.image, kCodabarLeft, kCodabarTop));
    EXPECT_TRUE(isDark(drawing.image, kCodabarLeft, kCodabarTop + kCodabarHeight - 1));
    EXPECT_FALSE(isDark(drawing.image, kCodabarLeft, kCodabarTop + kCodabarHeight));
    // The human-readable code is printed under the bars.
    bool textBelow = false;
    for (int y = kCodabarTop + kCodabarHeight + 1; y < drawing.image.height(); ++y) {
        for (int x = 0; x < drawing.image.width(); ++x)
            textBelow = textBelow || isDark(drawing.image, x, y);
    }
    EXPECT_TRUE(textBelow);
}

TEST(Codabar, ShortCodesAreRescaledToTheRequestedWidthInWholePixels)
{
    // "1": 11 + 10 + 11 modules; 120 / 32 gives a module of 3.
    const CodabarDrawing drawing = drawCodabar(QStringLiteral("1"));
    EXPECT_EQ(drawing.naturalWidth, 32);
    EXPECT_EQ(drawing.module, 3);
    EXPECT_TRUE(isDark(drawing.image, kCodabarLeft + 2, kCodabarTop + 10));
    EXPECT_FALSE(isDark(drawing.image, kCodabarLeft + 3, kCodabarTop + 10));
    // Out of range (1 to 49): the module stays 1.
    EXPECT_EQ(drawCodabar(QStringLiteral("1"), 10).module, 1);
    EXPECT_EQ(drawCodabar(QStringLiteral("1"), 32 * 50).module, 1);
    EXPECT_EQ(drawCodabar(QStringLiteral("1"), 32 * 49).module, 49);
}

TEST(Codabar, AScannerReadsTheSlipNumberBack)
{
    const QString number = slipNumber(1234, QDate(2004, 3, 5));
    const QImage bitmap = drawCodabar(number).image;
    // Printed at twice its size, as on the slip.
    const QStringList symbols = decodeSymbols(bitmap.scaled(bitmap.size() * 2));
    ASSERT_EQ(symbols.size(), 1) << symbols.join(u'|').toStdString();
    EXPECT_EQ(symbols[0], QStringLiteral("Codabar:A") + number + u'B');
}
