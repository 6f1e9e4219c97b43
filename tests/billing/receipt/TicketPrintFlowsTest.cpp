// The window's printer work against a recording printer: which calls, in which order, with
// which bytes, and which messages.
#include "billing/receipt/TicketPrintFlows.h"
#include "billing/receipt/FakeTicketPrinter.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

using billing::TicketPrintFlows;

namespace {

const QString kOffLine = QStringLiteral("Impressora OFF LINE - Acionar Botão LINHA");
const QString kPlacePaper =
    QStringLiteral("Observe LED LINHA - Coloque PAPEL como se fosse autenticar, \r"
                   "LED Ligado-COM PAPEL, LED Desligado-SEM PAPEL !\rPressione OK quando pronto.");
const QString kNoPaper = QStringLiteral("*** SEM *** papel para autenticar !!!\rTente novamente");
const QString kNewLine = QStringLiteral("print \\r\\n");

QString zeros(int count)
{
    return QStringLiteral("\\0").repeated(count);
}

class Flows : public testing::Test
{
protected:
    FakeTicketPrinter m_printer;
    TicketPrintFlows m_flows{m_printer};
    ScriptedDialogs::Guard m_dialogs;
};

} // namespace

TEST_F(Flows, PaperLineIsFortyBytesCutOrFilledWithZeros)
{
    EXPECT_EQ(TicketPrintFlows::paperLine(QString()), QByteArray(40, '\0'));
    const QString long55 = QString(40, u'a') + QString(15, u'b');
    EXPECT_EQ(TicketPrintFlows::paperLine(long55), QByteArray(40, 'a'));
    QByteArray expected("Sao Jose");
    expected.resize(40, '\0');
    EXPECT_EQ(TicketPrintFlows::paperLine(QStringLiteral("Sao Jose")), expected);
    // The printer's code is 8-bit: one byte per character.
    EXPECT_EQ(TicketPrintFlows::paperLine(QStringLiteral("Usuário")).left(8),
              QByteArray("Usu\xE1rio\0", 8));
}

TEST_F(Flows, ReceiptPrintsEachLineAsFortyBytesBetweenTheFeeds)
{
    const QStringList lines = {QStringLiteral("Colegio"), QString(), QString(55, u'x')};
    EXPECT_TRUE(m_flows.printReceipt(lines));
    QStringList expected = {"probe",
                            "status",
                            "normal",
                            "cols 0",
                            kNewLine,
                            "print Colegio" + zeros(33),
                            "print " + zeros(40),
                            "print " + QString(40, u'x')};
    for (int feed = 0; feed < 5; ++feed)
        expected << kNewLine;
    EXPECT_EQ(m_printer.calls, expected);
    EXPECT_TRUE(m_dialogs->shown().isEmpty());
    for (int line = 1; line <= 3; ++line)
        EXPECT_EQ(m_printer.printed.at(line).size(), 40);
}

TEST_F(Flows, ReceiptOnAPrinterOffLineSendsNothing)
{
    m_printer.statusAnswers.enqueue('0');
    EXPECT_FALSE(m_flows.printReceipt({QStringLiteral("x")}));
    EXPECT_EQ(m_printer.calls, QStringList({"probe", "status"}));
    ASSERT_EQ(m_dialogs->texts(), QStringList({kOffLine}));
    EXPECT_EQ(m_dialogs->last().icon, core::Icon::Warning);
}

TEST_F(Flows, MissingPortIsReportedInsteadOfPrintingToNowhere)
{
    m_flows.selectPort(2);
    m_printer.calls.clear();
    m_printer.probeResult = 2; // no such device
    EXPECT_FALSE(m_flows.printReceipt({QStringLiteral("x")}));
    EXPECT_FALSE(m_flows.authenticate(QStringLiteral("x")));
    EXPECT_EQ(m_printer.calls, QStringList({"probe", "probe"}));
    ASSERT_EQ(m_dialogs->shown().size(), 2);
    EXPECT_EQ(m_dialogs->shown().at(0).text,
              QStringLiteral("Não foi possível usar a porta COM 3 da impressora (código 2).\r"
                             "Confira a porta escolhida e o cabo da impressora."));
    EXPECT_EQ(m_dialogs->shown().at(0).icon, core::Icon::Error);
}

TEST_F(Flows, AuthenticationWithPaperPrintsTheLineAndSwitchesBackTwice)
{
    EXPECT_TRUE(m_flows.authenticate(QStringLiteral("20070305 06032007 05032007 R$1.113,12")));
    EXPECT_EQ(m_printer.calls,
              QStringList({"probe", "sensor", "status",
                           "print 20070305 06032007 05032007 R$1.113,12" + zeros(3), kNewLine,
                           "online", "online"}));
    ASSERT_EQ(m_dialogs->texts(), QStringList({kPlacePaper}));
    EXPECT_EQ(m_dialogs->last().buttons, core::Buttons(core::Button::Ok));
}

TEST_F(Flows, AuthenticationWithoutPaperWarnsAndRestoresTheStatusLine)
{
    m_printer.statusAnswers.enqueue('0');
    EXPECT_FALSE(m_flows.authenticate(QStringLiteral("line")));
    EXPECT_EQ(m_printer.calls, QStringList({"probe", "sensor", "status", "online"}));
    EXPECT_EQ(m_dialogs->texts(), QStringList({kPlacePaper, kNoPaper}));
    EXPECT_EQ(m_dialogs->last().icon, core::Icon::Warning);
}
