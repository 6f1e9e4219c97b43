#pragma once

#include "core/Money.h"

#include <QImage>
#include <QString>

// The static PIX charge printed on the school's own slip: the "BR Code" text a banking app reads
// (EMV merchant-presented mode) and its QR code.
namespace billing {

struct PixCharge
{
    QString key;        // the school's PIX key (e-mail, CPF/CNPJ, telephone or random key)
    QString receiver;   // who receives; cut to 25 characters
    QString city;       // cut to 15 characters
    core::Money amount; // zero leaves the amount to the payer
    QString txid;       // the slip number; "***" when there is none
};

// CRC-16/CCITT-FALSE (polynomial 0x1021, initial value 0xFFFF) of the UTF-8 bytes.
quint16 pixCrc16(const QByteArray &bytes);

// The payload, CRC included ("000201...6304ABCD"). Names and cities lose their accents, as
// the payment apps show only plain letters. Empty when the key is empty or too long to fit.
QString pixPayload(const PixCharge &charge);

// The QR code of `text` (error correction M), `moduleSize` pixels a module, with the quiet zone
// of four modules the readers need; null when the text cannot be encoded.
QImage qrCodeImage(const QString &text, int moduleSize = 4);

} // namespace billing
