// zupri-sim: a ticket printer on a pseudo-terminal, for trying the ticket-printer library
// without the printer. The first line of output is the device to point ZUPRI_COM1 (or COM2 to
// COM4) at; every further line is what the printer did with the bytes it received.

#include "ticketprinter/sim/PrinterSimulator.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

namespace {

volatile std::sig_atomic_t g_stop = 0;

void requestStop(int)
{
    g_stop = 1;
}

const char kUsage[] =
    "usage: zupri-sim [--no-paper] [--offline] [--raw] [--out FILE] [--exit-after SECONDS]\n"
    "  --no-paper     no document in the authentication slot\n"
    "  --offline      the printer is off line and takes no print data\n"
    "  --raw          also show every burst of received bytes in hexadecimal ([RX n] ...)\n"
    "  --out FILE     write the decoded lines to FILE as well\n"
    "  --exit-after SECONDS   stop after that many seconds\n"
    "Answers: one byte per command or print burst, 06 (ACK) when taken and 15 (NAK) when not;\n"
    "ESC I n: 06 and a 16-character version text; ESC v: 9 bytes, the eighth 1 with paper in\n"
    "the slot and 0 without.\n"
    "A pseudo-terminal has no modem lines, so the library always finds this printer ready;\n"
    "[READY OFF] marks where a real printer would drop CTS and the library would stop sending.\n";

struct Options
{
    zuprisim::PrinterSetup setup;
    bool raw = false;
    std::string outFile;
    std::optional<std::chrono::milliseconds> exitAfter;
};

std::optional<Options> parse(int argc, char **argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--no-paper") {
            options.setup.paperInSlot = false;
        } else if (argument == "--offline") {
            options.setup.online = false;
        } else if (argument == "--raw") {
            options.raw = true;
        } else if (argument == "--out" && hasValue) {
            options.outFile = argv[++i];
        } else if (argument == "--exit-after" && hasValue) {
            char *end = nullptr;
            const double seconds = std::strtod(argv[++i], &end);
            if (*end != '\0' || seconds <= 0)
                return std::nullopt;
            options.exitAfter = std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
        } else {
            return std::nullopt;
        }
    }
    return options;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << kUsage;
        return 0;
    }
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::cerr << kUsage;
        return 2;
    }

    struct sigaction action
    {
    };
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    try {
        zuprisim::PrinterSimulator simulator(options->setup, options->raw);
        std::ofstream file;
        if (!options->outFile.empty()) {
            file.open(options->outFile, std::ios::out | std::ios::trunc);
            if (!file) {
                std::cerr << "zupri-sim: cannot write " << options->outFile << '\n';
                return 1;
            }
            simulator.addOutput(file);
        }
        simulator.addOutput(std::cout);
        std::cout << simulator.open() << std::endl;
        simulator.run(options->exitAfter, g_stop);
    } catch (const std::exception &error) {
        std::cerr << "zupri-sim: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
