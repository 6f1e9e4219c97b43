#pragma once

#include "billing/receipt/TicketPrinter.h"

namespace billing {

// The ticket printer through the ZupriDLL library's exports.
class ZupriTicketPrinter : public TicketPrinter
{
public:
    int openPort(int portCharacter) override;
    int printerStatus() override;
    int normalPrint() override;
    int charactersPerLine(int mode) override;
    int print(const QByteArray &bytes) override;
    int statusFromPaperSensor() override;
    int statusFromOnLine() override;
    int probePort() override;
};

} // namespace billing
