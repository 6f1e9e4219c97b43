#include "billing/slips/Codabar.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>

namespace billing {

namespace {

// The published Codabar characters with a wide element two modules wide: bar, space, bar, ...
// always seven elements, starting and ending with a bar.
const QHash<QChar, QString> &codabarTable()
{
    static const QHash<QChar, QString> table{
        {u'0', QStringLiteral("101010011")},  {u'1', QStringLiteral("101011001")},
        {u'2', QStringLiteral("101001011")},  {u'3', QStringLiteral("110010101")},
        {u'4', QStringLiteral("101101001")},  {u'5', QStringLiteral("110101001")},
        {u'6', QStringLiteral("100101011")},  {u'7', QStringLiteral("100101101")},
        {u'8', QStringLiteral("100110101")},  {u'9', QStringLiteral("110100101")},
        {u'-', QStringLiteral("101001101")},  {u'$', QStringLiteral("101100101")},
        {u':', QStringLiteral("1101011011")}, {u'/', QStringLiteral("1101101011")},
        {u'.', QStringLiteral("1101101101")}, {u'+', QStringLiteral("1011011011")},
        {u'A', QStringLiteral("1011001001")}, {u'B', QStringLiteral("1001001011")},
        {u'C', QStringLiteral("1010010011")}, {u'D', QStringLiteral("1010011001")}};
    return table;
}

// The font the code is printed in under the bars; a machine without it gets its closest sans.
QFont codeFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    font.setBold(true);
    return font;
}

// Screen resolution, so that 8 points are the same pixels on every machine.
constexpr int kDotsPerMetre = 3780; // 96 dpi

} // namespace

QString codabarModules(const QString &text)
{
    const QHash<QChar, QString> &table = codabarTable();
    // Start and stop characters inside the data would end the symbol early for a reader.
    for (const QChar c : text) {
        if (!table.contains(c) || (c >= u'A' && c <= u'D'))
            return QString();
    }
    QString modules;
    for (const QChar c : QStringLiteral("A") + text + QStringLiteral("B")) {
        modules += table.value(c);
        modules += u'0';
    }
    return modules;
}

QList<int> codabarElementWidths(const QString &text)
{
    QList<int> widths;
    const QString modules = codabarModules(text);
    for (qsizetype i = 0; i < modules.size();) {
        qsizetype j = i;
        while (j < modules.size() && modules[j] == modules[i])
            ++j;
        widths << int(j - i);
        i = j;
    }
    return widths;
}

CodabarDrawing drawCodabar(const QString &text, int requestedWidth)
{
    CodabarDrawing drawing;
    const QString modules = codabarModules(text);
    if (modules.isEmpty())
        return drawing;
    drawing.naturalWidth = int(modules.size());
    if (requestedWidth > 0) {
        const int module = requestedWidth / drawing.naturalWidth;
        if (module >= 1 && module <= 49)
            drawing.module = module;
    }
    const QFont font = codeFont();
    const int barsWidth = drawing.naturalWidth * drawing.module;
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(kDotsPerMetre);
    probe.setDotsPerMeterY(kDotsPerMetre);
    const QFontMetrics metrics(font, &probe);
    const int textWidth = metrics.horizontalAdvance(text);
    const int width = kCodabarLeft * 2 + std::max(barsWidth, textWidth);
    const int height = kCodabarTop + kCodabarHeight + 2 + metrics.height() + 2;

    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (int i = 0; i < drawing.naturalWidth; ++i) {
        if (modules[i] == u'1')
            painter.drawRect(kCodabarLeft + i * drawing.module, kCodabarTop, drawing.module, kCodabarHeight);
    }
    painter.setPen(Qt::black);
    painter.setFont(font);
    const QRect under(kCodabarLeft, kCodabarTop + kCodabarHeight + 2, barsWidth, metrics.height());
    painter.drawText(under, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, text);
    painter.end();
    drawing.image = image;
    return drawing;
}

} // namespace billing
