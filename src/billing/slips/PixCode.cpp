#include "billing/slips/PixCode.h"

#include <QPainter>

#include <qrencode.h>

namespace billing {

namespace {

// One field: its id, two digits of length, the value.
QString field(const char *id, const QString &value)
{
    return QString::fromLatin1(id) + QStringLiteral("%1").arg(value.size(), 2, 10, QLatin1Char('0')) + value;
}

// Plain printable ASCII: accents dropped, anything else becomes a blank.
QString plainText(const QString &text, int limit)
{
    QString plain;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        plain += (c.unicode() >= 0x20 && c.unicode() < 0x7f) ? c : QChar(u' ');
    }
    return plain.simplified().left(limit).trimmed();
}

QString amountText(core::Money amount)
{
    const qint64 c = amount.centavos();
    return QStringLiteral("%1.%2").arg(c / 100).arg(c % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

quint16 pixCrc16(const QByteArray &bytes)
{
    quint16 crc = 0xFFFF;
    for (const char byte : bytes) {
        crc ^= quint16(quint8(byte)) << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}

QString pixPayload(const PixCharge &charge)
{
    const QString key = charge.key.trimmed();
    const QString account = field("00", QStringLiteral("br.gov.bcb.pix")) + field("01", key);
    if (key.isEmpty() || account.size() > 99)
        return QString();
    QString txid;
    for (const QChar c : charge.txid) {
        if (c.isLetterOrNumber() && c.unicode() < 0x80)
            txid += c;
    }
    txid = txid.left(25);
    if (txid.isEmpty())
        txid = QStringLiteral("***");

    QString payload = field("00", QStringLiteral("01")) + field("26", account) + field("52", QStringLiteral("0000")) +
                      field("53", QStringLiteral("986"));
    if (charge.amount.centavos() > 0)
        payload += field("54", amountText(charge.amount));
    payload += field("58", QStringLiteral("BR")) + field("59", plainText(charge.receiver, 25)) +
               field("60", plainText(charge.city, 15)) + field("62", field("05", txid)) + QStringLiteral("6304");
    return payload + QStringLiteral("%1").arg(pixCrc16(payload.toUtf8()), 4, 16, QLatin1Char('0')).toUpper();
}

QImage qrCodeImage(const QString &text, int moduleSize)
{
    const QByteArray bytes = text.toUtf8();
    QRcode *code = QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_M);
    if (!code)
        return QImage();
    constexpr int quiet = 4;
    const int side = (code->width + 2 * quiet) * moduleSize;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            if (code->data[y * code->width + x] & 1)
                painter.drawRect((x + quiet) * moduleSize, (y + quiet) * moduleSize, moduleSize, moduleSize);
        }
    }
    painter.end();
    QRcode_free(code);
    return image;
}

} // namespace billing
