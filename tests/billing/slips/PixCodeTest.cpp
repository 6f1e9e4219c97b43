#include "billing/slips/Decoding.h"
#include "billing/slips/PixCode.h"

#include <QMap>
#include <array>
#include <gtest/gtest.h>
#include "support/QStringPrinting.h"

using namespace billing;

namespace {

// CRC-16/CCITT-FALSE written the other way round: a table of the 256 byte remainders.
quint16 tableCrc(const QByteArray &bytes)
{
    static const auto table = [] {
        std::array<quint16, 256> t{};
        for (int n = 0; n < 256; ++n) {
            quint16 r = quint16(n << 8);
            for (int k = 0; k < 8; ++k)
                r = quint16((r << 1) ^ ((r & 0x8000) ? 0x1021 : 0));
            t[n] = r;
        }
        return t;
    }();
    quint16 crc = 0xFFFF;
    for (const char c : bytes)
        crc = quint16((crc << 8) ^ table[((crc >> 8) ^ quint8(c)) & 0xFF]);
    return crc;
}

// The fields of a payload: id -> value, one level.
QMap<QString, QString> fieldsOf(const QString &payload)
{
    QMap<QString, QString> fields;
    for (qsizetype i = 0; i + 4 <= payload.size();) {
        const QString id = payload.mid(i, 2);
        const int length = payload.mid(i + 2, 2).toInt();
        fields.insert(id, payload.mid(i + 4, length));
        i += 4 + length;
    }
    return fields;
}

} // namespace

TEST(PixCode, CheckValueOfTheStandardTestString)
{
    EXPECT_EQ(pixCrc16("123456789"), 0x29B1);
    EXPECT_EQ(pixCrc16(QByteArray()), 0xFFFF);
}

TEST(PixCode, ReproducesThePublishedStaticExample)
{
    // The central bank's example of a static BR Code without an amount.
    PixCharge charge;
    charge.key = QStringLiteral("123e4567-e12b-12d1-a456-426655440000");
    charge.receiver = QStringLiteral("Fulano de Tal");
    charge.city = QStringLiteral("BRASILIA");
    EXPECT_EQ(pixPayload(charge), QStringLiteral("00020126580014br.gov.bcb.pix0136123e4567-e12b-12d1-a456-"
                                                 "4266554400005204000053039865802BR5913Fulano de Tal6008BRASILIA"
                                                 "62070503***63041D3D"));
}

TEST(PixCode, SlipPayloadCarriesAmountNumberAndAValidCrc)
{
    PixCharge charge{QStringLiteral("tesouraria@escola.com.br"), QStringLiteral("Colégio São José da Anunciação Ltda"),
                     QStringLiteral("São José dos Campos"), core::Money::fromCentavos(123456),
                     QStringLiteral("123420040305")};
    const QString payload = pixPayload(charge);
    const QMap<QString, QString> f = fieldsOf(payload);
    EXPECT_EQ(f.value("00"), "01");
    EXPECT_EQ(f.value("26"), "0014br.gov.bcb.pix0124tesouraria@escola.com.br");
    EXPECT_EQ(f.value("52"), "0000");
    EXPECT_EQ(f.value("53"), "986");
    EXPECT_EQ(f.value("54"), "1234.56");
    EXPECT_EQ(f.value("58"), "BR");
    EXPECT_EQ(f.value("59"), "Colegio Sao Jose da Anunc"); // plain letters, 25 at most
    EXPECT_EQ(f.value("60"), "Sao Jose dos Ca");           // 15 at most
    EXPECT_EQ(f.value("62"), "0512123420040305");
    // The CRC closes the payload and covers everything before it, "6304" included.
    ASSERT_TRUE(payload.contains(QStringLiteral("6304")));
    const QString body = payload.left(payload.size() - 4);
    EXPECT_TRUE(body.endsWith(QStringLiteral("6304")));
    EXPECT_EQ(payload.right(4), QStringLiteral("%1").arg(tableCrc(body.toUtf8()), 4, 16, QLatin1Char('0')).toUpper());
    // Whole amounts keep their two decimals; no key, no payload.
    charge.amount = core::Money::fromCentavos(30000);
    EXPECT_EQ(fieldsOf(pixPayload(charge)).value("54"), "300.00");
    charge.key.clear();
    EXPECT_TRUE(pixPayload(charge).isEmpty());
    charge.key = QString(80, u'x');
    EXPECT_TRUE(pixPayload(charge).isEmpty());
}

TEST(PixCode, TheQrCodeReadsBackAsThePayload)
{
    const QString payload = pixPayload({QStringLiteral("+5511987654321"), QStringLiteral("ESCOLA"),
                                        QStringLiteral("SAO PAULO"), core::Money::fromCentavos(45000),
                                        QStringLiteral("920260310")});
    const QStringList symbols = decodeSymbols(qrCodeImage(payload, 4));
    ASSERT_EQ(symbols.size(), 1);
    EXPECT_EQ(symbols[0], QStringLiteral("QR-Code:") + payload);
}
