#pragma once

#include <QByteArray>

// The ticket-printer library as the receipt window uses it: one call per export, results as
// the library returns them. ZupriTicketPrinter calls the library; tests put a recorder here.
namespace billing {

class TicketPrinter
{
public:
    virtual ~TicketPrinter() = default;

    // ZupriOpenPort: '0' to '3' select COM1 to COM4; returns the selected index.
    virtual int openPort(int portCharacter) = 0;
    // ZupriStatusImpressora: '1' ready (or no port to ask), '0' not ready.
    virtual int printerStatus() = 0;
    // ZupriImpressaoNormal.
    virtual int normalPrint() = 0;
    // ZupriCaracteresPorLinha: '0' 40 columns, '1' 48, '2' 60.
    virtual int charactersPerLine(int mode) = 0;
    // ZupriImprime: sends the bytes as they are (at most 1000).
    virtual int print(const QByteArray &bytes) = 0;
    // ZupriRSTStatusSensorPapel: the ready line now reports paper in the authentication slot.
    virtual int statusFromPaperSensor() = 0;
    // ZupriRSTStatusEmLinha: the ready line reports the on-line state again.
    virtual int statusFromOnLine() = 0;
    // ZupriSendCmd with nothing to send, without the ready check: 0 when the selected port
    // opens and takes its settings, else the library's result code. The status call answers
    // "ready" for a missing port, so this is how a missing port is told apart.
    virtual int probePort() = 0;
};

} // namespace billing
