#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zuprisim {

struct PrinterSetup
{
    bool online = true;      // the LINHA button: off line, the printer takes no print data
    bool paperInSlot = true; // a document in the authentication slot
};

// What a burst of received bytes did: readable lines, and the bytes the printer answers.
struct Outcome
{
    std::vector<std::string> lines;
    std::string reply;
};

// The ticket printer as seen from its serial line. Commands become bracketed lines ("[INIT]",
// "[COLS 48]"), paper output becomes "|text|" lines as wide as the paper's columns. The ready
// line (CTS on a real printer) follows the on-line state or, once switched over, the paper
// sensor of the authentication slot; print data that comes while it is off is not printed.
class PrinterModel
{
public:
    static constexpr char kAck = 0x06;
    static constexpr char kNak = 0x15;
    static constexpr std::string_view kVersionText = "ZUPRI-SIM 1.0   ";

    explicit PrinterModel(PrinterSetup setup);

    // One burst of bytes, as the printer takes them in between two answers.
    Outcome receive(std::string_view bytes);
    // The line still in the print buffer when the printer stops.
    std::vector<std::string> finish();

private:
    bool readyLine() const;
    void takeByte(unsigned char byte, Outcome &outcome);
    void runCommand(Outcome &outcome);
    void printCharacter(unsigned char byte, Outcome &outcome);
    void endLine(Outcome &outcome);
    std::size_t lineWidth() const;
    void noteReadyLine(bool wasReady, Outcome &outcome);

    PrinterSetup m_setup;
    bool m_statusFromSensor = false;
    bool m_expanded = false;
    std::size_t m_columns = 40;
    std::string m_command; // an escape sequence still arriving
    std::string m_line;    // the print buffer, in UTF-8
    std::size_t m_lineColumns = 0;
    bool m_afterReturn = false; // a line feed right after a carriage return ends no new line
    std::size_t m_discarded = 0;
    bool m_versionAsked = false;
    bool m_sensorAsked = false;
};

} // namespace zuprisim
