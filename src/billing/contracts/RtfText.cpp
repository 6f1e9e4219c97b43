#include "billing/contracts/RtfText.h"

#include "core/TextFile.h"

namespace billing {

QString rtfEscaped(const QString &text)
{
    QString rtf;
    rtf.reserve(text.size() + 16);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            rtf += u'\\';
            rtf += c;
        } else if (u == u'\n') {
            rtf += QStringLiteral("\\line ");
        } else if (u == u'\r' || u == u'\t') {
            rtf += u' ';
        } else if (u >= 0x20 && u < 0x80) {
            rtf += c;
        } else if (u < 0x20) {
            continue; // control characters have no place in a filled-in field
        } else {
            const QByteArray encoded = core::toWindows1252(QString(c));
            if (encoded.size() == 1 && encoded.at(0) != '?') {
                rtf += QStringLiteral("\\'%1").arg(uchar(encoded.at(0)), 2, 16, QChar(u'0'));
            } else {
                // \uN takes a signed 16-bit number; the "?" is what readers without Unicode show.
                rtf += QStringLiteral("\\u%1?").arg(qint16(u));
            }
        }
    }
    return rtf;
}

} // namespace billing
