#include "billing/receipt/ZupriTicketPrinter.h"

#include "ticketprinter/ZupriDLL.h"

namespace billing {

int ZupriTicketPrinter::openPort(int portCharacter)
{
    return ZupriOpenPort(portCharacter);
}

int ZupriTicketPrinter::printerStatus()
{
    return ZupriStatusImpressora();
}

int ZupriTicketPrinter::normalPrint()
{
    return ZupriImpressaoNormal();
}

int ZupriTicketPrinter::charactersPerLine(int mode)
{
    return ZupriCaracteresPorLinha(mode);
}

int ZupriTicketPrinter::print(const QByteArray &bytes)
{
    return ZupriImprime(bytes.constData(), int(bytes.size()));
}

int ZupriTicketPrinter::statusFromPaperSensor()
{
    return ZupriRSTStatusSensorPapel();
}

int ZupriTicketPrinter::statusFromOnLine()
{
    return ZupriRSTStatusEmLinha();
}

int ZupriTicketPrinter::probePort()
{
    return ZupriSendCmd(nullptr, 0, nullptr, 0, 1);
}

} // namespace billing
