#include "ticketprinter/sim/PrinterSimulator.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace zuprisim {

namespace {

// The library writes a command in one go; this much silence ends a burst.
constexpr int kQuietMilliseconds = 10;

std::runtime_error systemError(const char *what)
{
    return std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

std::string rawLine(const std::string &burst)
{
    std::string line = "[RX " + std::to_string(burst.size()) + "]";
    char hex[4];
    for (const char byte : burst) {
        std::snprintf(hex, sizeof hex, " %02X", static_cast<unsigned char>(byte));
        line += hex;
    }
    return line;
}

} // namespace

PrinterSimulator::PrinterSimulator(PrinterSetup setup, bool showRawBytes)
    : m_model(setup), m_showRawBytes(showRawBytes)
{
}

PrinterSimulator::~PrinterSimulator()
{
    if (m_device >= 0)
        ::close(m_device);
    if (m_master >= 0)
        ::close(m_master);
}

std::string PrinterSimulator::open()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        throw systemError("posix_openpt");
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        throw systemError("grantpt/unlockpt");
    const char *name = ::ptsname(m_master);
    if (!name)
        throw systemError("ptsname");
    const std::string path = name;
    m_device = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_device < 0)
        throw systemError(path.c_str());
    // Raw from the start, so nothing is echoed back before the library sets the line up.
    termios settings{};
    if (::tcgetattr(m_device, &settings) != 0)
        throw systemError("tcgetattr");
    ::cfmakeraw(&settings);
    if (::tcsetattr(m_device, TCSANOW, &settings) != 0)
        throw systemError("tcsetattr");
    return path;
}

void PrinterSimulator::addOutput(std::ostream &stream)
{
    m_outputs.push_back(&stream);
}

void PrinterSimulator::run(std::optional<std::chrono::milliseconds> duration,
                           const volatile std::sig_atomic_t &stop)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = duration ? Clock::now() + *duration : Clock::time_point::max();
    std::string burst;
    while (!stop && Clock::now() < deadline) {
        int wait = burst.empty() ? 250 : kQuietMilliseconds;
        if (duration) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            wait = std::min<int>(wait, static_cast<int>(left.count()));
        }
        pollfd readable{m_master, POLLIN, 0};
        const int ready = ::poll(&readable, 1, wait);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            throw systemError("poll");
        }
        if (ready == 0) {
            if (!burst.empty())
                serve(burst);
            burst.clear();
            continue;
        }
        char buffer[4096];
        const ssize_t count = ::read(m_master, buffer, sizeof buffer);
        if (count > 0)
            burst.append(buffer, static_cast<std::size_t>(count));
        else if (count < 0 && errno != EINTR && errno != EAGAIN)
            throw systemError("read");
    }
    if (!burst.empty())
        serve(burst);
    write(m_model.finish());
}

void PrinterSimulator::serve(const std::string &burst)
{
    if (m_showRawBytes)
        write({rawLine(burst)});
    const Outcome outcome = m_model.receive(burst);
    write(outcome.lines);
    std::size_t sent = 0;
    while (sent < outcome.reply.size()) {
        const ssize_t count =
            ::write(m_master, outcome.reply.data() + sent, outcome.reply.size() - sent);
        if (count < 0 && errno != EINTR)
            throw systemError("write");
        if (count > 0)
            sent += static_cast<std::size_t>(count);
    }
}

void PrinterSimulator::write(const std::vector<std::string> &lines)
{
    for (std::ostream *stream : m_outputs) {
        for (const std::string &line : lines)
            *stream << line << '\n';
        stream->flush();
    }
}

} // namespace zuprisim
