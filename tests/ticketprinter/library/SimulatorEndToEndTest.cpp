// The shared library, through the termios port, against zupri-sim on a pseudo-terminal.
#include "ticketprinter/ZupriDLL.h"
#include "ticketprinter/library/SimulatorProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using Lines = std::vector<std::string>;

std::string hex(const std::string &bytes)
{
    std::string text;
    char digits[4];
    for (const char byte : bytes) {
        std::snprintf(digits, sizeof digits, " %02X", static_cast<unsigned char>(byte));
        text += digits;
    }
    return text;
}

std::string rawLine(const std::string &bytes)
{
    return "[RX " + std::to_string(bytes.size()) + "]" + hex(bytes);
}

class SimulatedPrinter : public testing::Test
{
protected:
    void SetUp() override { usePrinter({"--raw"}); }
    void TearDown() override
    {
        for (const char *name : {"ZUPRI_COM1", "ZUPRI_COM2", "ZUPRI_COM3", "ZUPRI_COM4"})
            ::unsetenv(name);
    }

    void usePrinter(const std::vector<std::string> &options, const char *port = "ZUPRI_COM1")
    {
        m_printer.reset();
        m_printer = std::make_unique<SimulatorProcess>(options);
        ::setenv(port, m_printer->devicePath().c_str(), 1);
        ZupriOpenPort('0');
    }

    std::unique_ptr<SimulatorProcess> m_printer;
};

TEST_F(SimulatedPrinter, PrintLineInFortyEightColumnsSendsCommandTextAndReturn)
{
    const std::string text(100, 'L');
    EXPECT_EQ(ZupriImprimeLinha('1', text.c_str(), 100), 48);
    const std::string line = "|" + std::string(48, 'L') + "|";
    EXPECT_EQ(m_printer->linesUntil(line),
              (Lines{rawLine("\x1BP1" + std::string(48, 'L') + "\r"), "[COLS 48]", line}));
}

TEST_F(SimulatedPrinter, PrintSendsTheFirstThousandBytesAndAnswersWithTheReplyByte)
{
    std::string data(1500, 'a');
    data[999] = 'z';
    EXPECT_EQ(ZupriImprime(data.data(), 1500), 1000);
    EXPECT_EQ(m_printer->linesUntil(rawLine(data.substr(0, 1000))).back(),
              rawLine(data.substr(0, 1000)));
    EXPECT_EQ(ZupriTxBuffer("\x1B@", 2), 0x06);
}

TEST_F(SimulatedPrinter, PortSevenSelectsCom3)
{
    ::setenv("ZUPRI_COM1", "/nonexistent/zupri-com1", 1);
    ::setenv("ZUPRI_COM3", m_printer->devicePath().c_str(), 1);
    EXPECT_EQ(ZupriOpenPort('7'), 2);
    EXPECT_EQ(ZupriInicializaImpressora(), 0x06);
    EXPECT_EQ(m_printer->linesUntil("[INIT]").back(), "[INIT]");
}

TEST_F(SimulatedPrinter, PrinterStatusIsReadyOnAPseudoTerminalAndWhenThePortIsMissing)
{
    EXPECT_EQ(ZupriStatusImpressora(), '1');
    ::setenv("ZUPRI_COM4", "/nonexistent/zupri-com4", 1);
    ZupriOpenPort('3');
    EXPECT_EQ(ZupriStatusImpressora(), '1');
    EXPECT_EQ(ZupriInicializaImpressora(), ENOENT);
}

TEST_F(SimulatedPrinter, ReceiptAsTheProgramPrintsIt)
{
    usePrinter({});
    ZupriImpressaoNormal();
    ZupriCaracteresPorLinha('0');
    ZupriImprime("\r\n", 2);
    for (const std::string text : {"COLEGIO EXEMPLO", "Valor Pago   :       150,00"}) {
        const std::string padded = text + std::string(40 - text.size(), '\0');
        ZupriImprime(padded.data(), 40);
    }
    ZupriImprime("\r\n", 2);
    const auto paper = [](const std::string &text) {
        return "|" + text + std::string(40 - text.size(), ' ') + "|";
    };
    EXPECT_EQ(m_printer->linesUntil(paper("Valor Pago   :       150,00")),
              (Lines{"[NORMAL]", "[COLS 40]", paper(""), paper("COLEGIO EXEMPLO"),
                     paper("Valor Pago   :       150,00")}));
}

TEST_F(SimulatedPrinter, VersionAndAuthenticationSensorComeBackFromThePrinter)
{
    char version[16];
    ZupriVersao(version, 1);
    EXPECT_EQ(std::string(version, 16), "ZUPRI-SIM 1.0   ");
    EXPECT_EQ(ZupriStatusSensorAutenticacao(), 1);

    usePrinter({"--no-paper"});
    EXPECT_EQ(ZupriStatusSensorAutenticacao(), 0);
    EXPECT_EQ(ZupriRSTStatusSensorPapel(), 0x06);
    EXPECT_EQ(ZupriTxBuffer("AUTENTICA\r", 10), 0x15);
    EXPECT_EQ(m_printer->linesUntil("[NOT READY: 10 bytes not printed]"),
              (Lines{"[AUTH-SENSOR no paper]", "[STATUS-LINE PAPER-SENSOR]", "[READY OFF]",
                     "[NOT READY: 10 bytes not printed]"}));
}

TEST_F(SimulatedPrinter, OfflinePrinterRefusesPrintDataAndOutputFileMatches)
{
    const auto outFile = std::filesystem::temp_directory_path() / "zupri-sim-test.txt";
    usePrinter({"--offline", "--out", outFile.string()});
    EXPECT_EQ(ZupriImpressaoEnfatizada(), 0x15);
    const Lines shown = m_printer->linesUntil("[NOT READY: 2 bytes not printed]");
    EXPECT_EQ(shown, Lines{"[NOT READY: 2 bytes not printed]"});
    m_printer->stop();
    std::ifstream file(outFile);
    Lines written;
    for (std::string line; std::getline(file, line);)
        written.push_back(line);
    EXPECT_EQ(written, shown);
    std::filesystem::remove(outFile);
}

} // namespace
