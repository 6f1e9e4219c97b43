#include "billing/receipt/TicketPrintFlows.h"

#include "billing/receipt/ReceiptText.h"
#include "core/Dialogs.h"
#include "core/TextFile.h"

#include <algorithm>

namespace billing {

namespace {

const QString kCaption = QStringLiteral("Autenticação Zupri");
const QByteArray kNewLine("\r\n");
constexpr int kTearBarFeeds = 5;

void show(const QString &text, core::Icon icon)
{
    core::dialogs().show({text, kCaption, icon, core::Button::Ok});
}

} // namespace

TicketPrintFlows::TicketPrintFlows(TicketPrinter &printer) : m_printer(printer) {}

QStringList TicketPrintFlows::portItems()
{
    return {QStringLiteral("COM 1"), QStringLiteral("COM 2"), QStringLiteral("COM 3"),
            QStringLiteral("COM 4")};
}

void TicketPrintFlows::selectPort(int item)
{
    m_item = std::clamp(item, 0, 3);
    m_printer.openPort('0' + m_item);
}

QByteArray TicketPrintFlows::paperLine(const QString &text)
{
    QByteArray bytes = core::toWindows1252(text.left(kReceiptColumns));
    bytes.resize(kReceiptColumns, '\0');
    return bytes;
}

bool TicketPrintFlows::portUsable()
{
    const int result = m_printer.probePort();
    if (result == 0)
        return true;
    show(QStringLiteral("Não foi possível usar a porta %1 da impressora (código %2).\r"
                        "Confira a porta escolhida e o cabo da impressora.")
             .arg(portItems().at(m_item))
             .arg(result),
         core::Icon::Error);
    return false;
}

bool TicketPrintFlows::printReceipt(const QStringList &lines)
{
    if (!portUsable())
        return false;
    if (m_printer.printerStatus() != '1') {
        show(QStringLiteral("Impressora OFF LINE - Acionar Botão LINHA"), core::Icon::Warning);
        return false;
    }
    // The printer's answers to the print calls are not read back: a line it refused is
    // visible on the paper, and the ready check above is what the printer can tell us.
    m_printer.normalPrint();
    m_printer.charactersPerLine('0');
    m_printer.print(kNewLine);
    for (const QString &line : lines)
        m_printer.print(paperLine(line));
    for (int feed = 0; feed < kTearBarFeeds; ++feed)
        m_printer.print(kNewLine);
    return true;
}

bool TicketPrintFlows::authenticate(const QString &line)
{
    if (!portUsable())
        return false;
    show(QStringLiteral("Observe LED LINHA - Coloque PAPEL como se fosse autenticar, \r"
                        "LED Ligado-COM PAPEL, LED Desligado-SEM PAPEL !\r"
                        "Pressione OK quando pronto."),
         core::Icon::Information);
    // While switched over, "ready" means a document sits in the slot.
    m_printer.statusFromPaperSensor();
    const bool paperInSlot = m_printer.printerStatus() == '1';
    if (paperInSlot) {
        m_printer.print(paperLine(line));
        m_printer.print(kNewLine);
        m_printer.statusFromOnLine();
    } else {
        show(QStringLiteral("*** SEM *** papel para autenticar !!!\rTente novamente"),
             core::Icon::Warning);
    }
    m_printer.statusFromOnLine();
    return paperInSlot;
}

} // namespace billing
