#pragma once

#include "billing/receipt/TicketPrinter.h"

#include <QQueue>
#include <QStringList>

// Records every library call in order ("open 0", "status", "normal", "cols 0", "print ...",
// "sensor", "online", "probe"); print data shows as text with "\0" for zero bytes and
// "\r\n" for line ends. Status answers come from a script, "1" when it runs out.
class FakeTicketPrinter : public billing::TicketPrinter
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

    static constexpr int kAck = 0x06;

    QStringList calls;
    QList<QByteArray> printed;
    QQueue<int> statusAnswers;
    int probeResult = 0;
};
