#include "billing/slips/Decoding.h"

#include "reports/engine/PagePainter.h"
#include "support/TempDir.h"

#include <QPainter>
#include <QProcess>

QStringList decodeSymbols(const QImage &image)
{
    TempDir dir;
    const QString file = dir.file(QStringLiteral("symbols.png"));
    if (!image.save(file))
        return {};
    QProcess zbar;
    // Codabar is off by default in zbar; the slips need it.
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--quiet"), QStringLiteral("-Scodabar.enable"), file});
    if (!zbar.waitForFinished(60000))
        return {};
    return QString::fromUtf8(zbar.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

QImage renderPage(const reports::Document &document, int pageIndex, int dpi)
{
    const double pixelsPerTenth = dpi / 254.0;
    QImage image(qRound(document.size.width() * pixelsPerTenth), qRound(document.size.height() * pixelsPerTenth),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    reports::paintPage(painter, document, pageIndex, QRectF(QPointF(0, 0), QSizeF(image.size())));
    painter.end();
    return image;
}
