#pragma once

#include "billing/receipt/TicketPrinter.h"

#include <QString>
#include <QStringList>

// What the buttons of the ticket-printer window do, as calls to the printer library in the
// order the printer needs them and messages through the dialog service. The window (and the
// command line) only supply the port choice and the texts.
namespace billing {

class TicketPrintFlows
{
public:
    explicit TicketPrintFlows(TicketPrinter &printer);

    // The port choice, in the order of the port's index: "COM 1" .. "COM 4".
    static QStringList portItems();
    // Selects the port of item 0..3 in the library (it stays selected for later calls).
    void selectPort(int item);
    int selectedItem() const { return m_item; }

    // Prints the receipt on the roll in 40 columns: each line as exactly 40 bytes, then
    // feeds the paper past the tear bar. False, with a message, when nothing was printed.
    bool printReceipt(const QStringList &lines);
    // Prints the line on the document in the authentication slot. False, with a message, when
    // there was no document or no printer.
    bool authenticate(const QString &line);

    // A line as the printer takes it: the text cut at 40 characters in the printer's 8-bit
    // code, filled up with zero bytes to 40.
    static QByteArray paperLine(const QString &text);

private:
    bool portUsable();

    TicketPrinter &m_printer;
    int m_item = 0;
};

} // namespace billing
