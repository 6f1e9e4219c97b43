#pragma once

#include "ticketprinter/sim/PrinterModel.h"

#include <chrono>
#include <csignal>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace zuprisim {

// Serves a PrinterModel on a pseudo-terminal: what the library writes to the terminal's device
// is decoded burst by burst, the decoded lines are written out (and flushed) before the
// printer's answer goes back, so whoever waits for the answer finds the lines already there.
class PrinterSimulator
{
public:
    PrinterSimulator(PrinterSetup setup, bool showRawBytes);
    ~PrinterSimulator();
    PrinterSimulator(const PrinterSimulator &) = delete;
    PrinterSimulator &operator=(const PrinterSimulator &) = delete;

    // Creates the pseudo-terminal and returns the path of its device; throws std::runtime_error.
    std::string open();
    // Every decoded line goes to each of these streams.
    void addOutput(std::ostream &stream);
    // Serves until the time has passed (if given) or stop becomes non-zero.
    void run(std::optional<std::chrono::milliseconds> duration,
             const volatile std::sig_atomic_t &stop);

private:
    void serve(const std::string &burst);
    void write(const std::vector<std::string> &lines);

    PrinterModel m_model;
    bool m_showRawBytes;
    int m_master = -1;
    int m_device = -1; // held open so the terminal lives on between the library's calls
    std::vector<std::ostream *> m_outputs;
};

} // namespace zuprisim
