#include "reports/engine/TextMetrics.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QRegularExpression>
#include <cmath>

namespace reports {

namespace {

void substituteFonts()
{
    static const bool done = [] {
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                                  QStringLiteral("Liberation Serif"));
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
        return true;
    }();
    Q_UNUSED(done);
}

// A device whose dots are tenths of a millimetre.
const QImage &layoutDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(10000);
        image.setDotsPerMeterY(10000);
        return image;
    }();
    return device;
}

QString fontKey(const Font &font)
{
    return font.family + u'|' + QString::number(font.size) + u'|' + QChar(u'0' + font.bold) +
           QChar(u'0' + font.italic) + QChar(u'0' + font.underline);
}

const QFontMetricsF &metrics(const Font &font)
{
    static QHash<QString, QFontMetricsF> cache;
    const QString key = fontKey(font);
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.insert(key, QFontMetricsF(qtFont(font), &layoutDevice()));
    return it.value();
}

} // namespace

QFont qtFont(const Font &font, double scale)
{
    substituteFonts();
    QFont result(font.family);
    result.setPointSizeF(font.size * scale);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setHintingPreference(QFont::PreferNoHinting);
    result.setKerning(false);
    return result;
}

double textWidth(const Font &font, const QString &text)
{
    return metrics(font).horizontalAdvance(text);
}

Tenths lineHeight(const Font &font)
{
    return static_cast<Tenths>(std::ceil(metrics(font).height()));
}

QStringList wrapText(const Font &font, const QString &text, Tenths width)
{
    const QFontMetricsF &fm = metrics(font);
    QStringList lines;
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    for (const QString &paragraph : text.split(breaks)) {
        QString line;
        for (const QString &word : paragraph.split(u' ', Qt::SkipEmptyParts)) {
            const QString candidate = line.isEmpty() ? word : line + u' ' + word;
            if (fm.horizontalAdvance(candidate) <= width) {
                line = candidate;
                continue;
            }
            if (!line.isEmpty())
                lines.append(line);
            line = word;
            // A word wider than the line is cut where it must be.
            while (line.size() > 1 && fm.horizontalAdvance(line) > width) {
                int fit = line.size() - 1;
                while (fit > 1 && fm.horizontalAdvance(line.left(fit)) > width)
                    --fit;
                lines.append(line.left(fit));
                line = line.mid(fit);
            }
        }
        lines.append(line);
    }
    return lines;
}

} // namespace reports
