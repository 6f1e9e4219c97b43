#include "billing/receipt/FakeTicketPrinter.h"

int FakeTicketPrinter::openPort(int portCharacter)
{
    calls << QStringLiteral("open ") + QChar(portCharacter);
    return portCharacter - '0';
}

int FakeTicketPrinter::printerStatus()
{
    calls << QStringLiteral("status");
    return statusAnswers.isEmpty() ? '1' : statusAnswers.dequeue();
}

int FakeTicketPrinter::normalPrint()
{
    calls << QStringLiteral("normal");
    return kAck;
}

int FakeTicketPrinter::charactersPerLine(int mode)
{
    calls << QStringLiteral("cols ") + QChar(mode);
    return kAck;
}

int FakeTicketPrinter::print(const QByteArray &bytes)
{
    calls << QStringLiteral("print ") + QString::fromLatin1(bytes)
                                            .replace(u'\0', QStringLiteral("\\0"))
                                            .replace(u'\r', QStringLiteral("\\r"))
                                            .replace(u'\n', QStringLiteral("\\n"));
    printed << bytes;
    return int(bytes.size());
}

int FakeTicketPrinter::statusFromPaperSensor()
{
    calls << QStringLiteral("sensor");
    return kAck;
}

int FakeTicketPrinter::statusFromOnLine()
{
    calls << QStringLiteral("online");
    return kAck;
}

int FakeTicketPrinter::probePort()
{
    calls << QStringLiteral("probe");
    return probeResult;
}
