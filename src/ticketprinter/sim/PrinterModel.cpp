#include "ticketprinter/sim/PrinterModel.h"

#include <cstdio>

namespace zuprisim {

namespace {

constexpr unsigned char kEsc = 0x1B;

std::string hexByte(unsigned char byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

// Bytes of a command, the escape and the letter included.
std::size_t commandLength(unsigned char letter)
{
    switch (letter) {
    case 'P':
    case 'W':
    case 'C':
    case '~':
    case 'I':
        return 3;
    case 'p':
        return 5;
    default:
        return 2;
    }
}

} // namespace

PrinterModel::PrinterModel(PrinterSetup setup) : m_setup(setup) {}

bool PrinterModel::readyLine() const
{
    return m_setup.online && (!m_statusFromSensor || m_setup.paperInSlot);
}

Outcome PrinterModel::receive(std::string_view bytes)
{
    Outcome outcome;
    m_discarded = 0;
    m_versionAsked = false;
    m_sensorAsked = false;
    for (const char byte : bytes)
        takeByte(static_cast<unsigned char>(byte), outcome);
    if (m_discarded > 0)
        outcome.lines.push_back("[NOT READY: " + std::to_string(m_discarded) +
                                " bytes not printed]");
    if (m_versionAsked)
        outcome.reply += kAck + std::string(kVersionText);
    if (m_sensorAsked) {
        std::string sensor(9, '\0');
        sensor[0] = kAck;
        sensor[7] = m_setup.paperInSlot ? 1 : 0;
        outcome.reply += sensor;
    }
    if (outcome.reply.empty())
        outcome.reply = m_discarded > 0 ? kNak : kAck;
    return outcome;
}

std::vector<std::string> PrinterModel::finish()
{
    Outcome outcome;
    if (m_lineColumns > 0)
        endLine(outcome);
    return outcome.lines;
}

void PrinterModel::takeByte(unsigned char byte, Outcome &outcome)
{
    if (!m_command.empty() || byte == kEsc) {
        m_command += static_cast<char>(byte);
        if (m_command.size() >= 2 && m_command.size() == commandLength(m_command[1]))
            runCommand(outcome);
        return;
    }
    if (!readyLine()) {
        ++m_discarded;
        return;
    }
    const bool afterReturn = m_afterReturn;
    m_afterReturn = false;
    if (byte == '\r') {
        endLine(outcome);
        m_afterReturn = true;
    } else if (byte == '\n') {
        if (!afterReturn)
            endLine(outcome);
    } else if (byte == 0 || (byte >= 0x20 && byte != 0x7F)) {
        printCharacter(byte, outcome);
    } else {
        outcome.lines.push_back("[" + hexByte(byte) + "]");
    }
}

void PrinterModel::runCommand(Outcome &outcome)
{
    const auto letter = static_cast<unsigned char>(m_command[1]);
    const auto parameter = [this](std::size_t index) {
        return static_cast<unsigned char>(m_command[index]);
    };
    const bool wasReady = readyLine();
    // A line that filled the old width prints before the width changes.
    if (wasReady && (letter == 'P' || letter == 'W' || letter == '@') && m_lineColumns > 0 &&
        m_lineColumns >= lineWidth())
        endLine(outcome);
    if (letter == '~') {
        m_statusFromSensor = parameter(2) == 1;
        outcome.lines.push_back(m_statusFromSensor ? "[STATUS-LINE PAPER-SENSOR]"
                                                   : "[STATUS-LINE ON-LINE]");
        noteReadyLine(wasReady, outcome);
    } else if (letter == 'I') {
        outcome.lines.push_back("[VERSION " + std::to_string(parameter(2)) + "]");
        m_versionAsked = true;
    } else if (letter == 'v') {
        outcome.lines.push_back(m_setup.paperInSlot ? "[AUTH-SENSOR paper]"
                                                    : "[AUTH-SENSOR no paper]");
        m_sensorAsked = true;
    } else if (!wasReady) {
        m_discarded += m_command.size();
    } else if (letter == '@') {
        m_columns = 40;
        m_expanded = false;
        outcome.lines.push_back("[INIT]");
    } else if (letter == 'M') {
        outcome.lines.push_back("[NORMAL]");
    } else if (letter == 'E') {
        outcome.lines.push_back("[EMPHASIZED]");
    } else if (letter == 'P') {
        const unsigned char mode = parameter(2);
        if (mode >= '0' && mode <= '2') {
            m_columns = mode == '0' ? 40 : mode == '1' ? 48 : 60;
            outcome.lines.push_back("[COLS " + std::to_string(m_columns) + "]");
        } else {
            outcome.lines.push_back("[COLS ? " + hexByte(mode) + "]");
        }
    } else if (letter == 'W') {
        const unsigned char flag = parameter(2);
        if (flag == '0' || flag == '1') {
            m_expanded = flag == '1';
            outcome.lines.push_back(m_expanded ? "[EXPANDED ON]" : "[EXPANDED OFF]");
        } else {
            outcome.lines.push_back("[EXPANDED ? " + hexByte(flag) + "]");
        }
    } else if (letter == 'p') {
        outcome.lines.push_back("[DRAWER pin " + std::to_string(parameter(2)) +
                                " t1=" + std::to_string(parameter(3)) +
                                " t2=" + std::to_string(parameter(4)) + "]");
    } else if (letter == 'C') {
        outcome.lines.push_back("[PAGE LENGTH " + std::to_string(parameter(2)) + "]");
    } else {
        outcome.lines.push_back("[ESC " + hexByte(letter) + "]");
    }
    m_command.clear();
}

std::size_t PrinterModel::lineWidth() const
{
    return m_expanded ? m_columns / 2 : m_columns;
}

void PrinterModel::printCharacter(unsigned char byte, Outcome &outcome)
{
    // A full line prints when the next character comes, so that a line of exactly the paper's
    // width followed by CR LF makes one line, not a line and a blank one.
    if (m_lineColumns >= lineWidth())
        endLine(outcome);
    if (byte == 0) {
        m_line += ' ';
    } else if (byte < 0x80) {
        m_line += static_cast<char>(byte);
    } else { // the printer's upper half shown as Latin-1
        m_line += static_cast<char>(0xC0 | (byte >> 6));
        m_line += static_cast<char>(0x80 | (byte & 0x3F));
    }
    ++m_lineColumns;
}

void PrinterModel::endLine(Outcome &outcome)
{
    const std::size_t width = lineWidth();
    const std::size_t padding = m_lineColumns < width ? width - m_lineColumns : 0;
    outcome.lines.push_back("|" + m_line + std::string(padding, ' ') + "|");
    m_line.clear();
    m_lineColumns = 0;
}

void PrinterModel::noteReadyLine(bool wasReady, Outcome &outcome)
{
    if (wasReady != readyLine())
        outcome.lines.push_back(readyLine() ? "[READY ON]" : "[READY OFF]");
}

} // namespace zuprisim
