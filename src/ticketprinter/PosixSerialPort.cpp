#include "ticketprinter/PosixSerialPort.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace zupri {

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point after(unsigned long long milliseconds)
{
    return Clock::now() + std::chrono::milliseconds(milliseconds);
}

// Milliseconds left until the moment, rounded up so a wait never ends early.
int millisecondsUntil(Clock::time_point moment)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(moment - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 60'000));
}

} // namespace

PosixSerialPort::~PosixSerialPort()
{
    close();
}

std::string PosixSerialPort::devicePath(const std::string &portName)
{
    if (portName.size() != 4 || portName.compare(0, 3, "COM") != 0 || portName[3] < '1' ||
        portName[3] > '4')
        return portName;
    const std::string variable = "ZUPRI_" + portName;
    if (const char *configured = std::getenv(variable.c_str()); configured && *configured)
        return configured;
    return std::string("/dev/ttyS") + static_cast<char>(portName[3] - 1);
}

OpenResult PosixSerialPort::open(const std::string &portName)
{
    close();
    const std::string path = devicePath(portName);
    // Non-blocking, so that a line without carrier neither holds the open nor the reads.
    m_fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        return {errno, 0};
    // The port is not shared: the lock keeps out every other program that locks serial ports
    // (and a second call of this one), the exclusive flag every other opener but root.
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        ::close(m_fd);
        m_fd = -1;
        return {EBUSY, 0};
    }
    if (::ioctl(m_fd, TIOCEXCL) != 0)
        return {0, errno};
    m_exclusive = true;
    return {};
}

int PosixSerialPort::readLineSettings()
{
    return ::tcgetattr(m_fd, &m_settings) == 0 ? 0 : errno;
}

int PosixSerialPort::writeLineSettings()
{
    termios settings = m_settings;
    ::cfsetispeed(&settings, B9600);
    ::cfsetospeed(&settings, B9600);
    // 8N1, no hardware flow control; the modem lines are driven by hand.
    settings.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CREAD | CLOCAL;
    // Binary: no translation, no XON/XOFF, NUL bytes kept, errors not marked.
    settings.c_iflag &=
        ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
    settings.c_iflag |= INPCK;
    settings.c_oflag &= ~OPOST;
    settings.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    return ::tcsetattr(m_fd, TCSANOW, &settings) == 0 ? 0 : errno;
}

int PosixSerialPort::purgeOutput()
{
    return ::tcflush(m_fd, TCOFLUSH) == 0 ? 0 : errno;
}

int PosixSerialPort::purgeInput()
{
    return ::tcflush(m_fd, TCIFLUSH) == 0 ? 0 : errno;
}

int PosixSerialPort::setTimeouts(const SerialTimeouts &timeouts)
{
    m_timeouts = timeouts;
    return 0;
}

int PosixSerialPort::readClearToSend(bool &ctsOn)
{
    int lines = 0;
    if (::ioctl(m_fd, TIOCMGET, &lines) != 0) {
        // No modem lines at all (a pseudo-terminal, some USB adapters): nothing says "not ready".
        if (errno == ENOTTY || errno == EINVAL) {
            ctsOn = true;
            return 0;
        }
        return errno;
    }
    ctsOn = (lines & TIOCM_CTS) != 0;
    return 0;
}

void PosixSerialPort::setRtsDtr(bool raised)
{
    // Devices without modem lines refuse this; the printer then has nothing to watch anyway.
    int lines = TIOCM_RTS | TIOCM_DTR;
    ::ioctl(m_fd, raised ? TIOCMBIS : TIOCMBIC, &lines);
}

int PosixSerialPort::write(const std::uint8_t *data, std::size_t length)
{
    const auto deadline = after(static_cast<unsigned long long>(m_timeouts.writePerByte) * length +
                                m_timeouts.writeConstant);
    std::size_t sent = 0;
    while (sent < length) {
        const ssize_t written = ::write(m_fd, data + sent, length - sent);
        if (written > 0) {
            sent += static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN)
            return errno;
        const int wait = millisecondsUntil(deadline);
        // A write cut short by its time-out did not send the command: a failure, not a success.
        if (wait == 0)
            return ETIMEDOUT;
        pollfd writable{m_fd, POLLOUT, 0};
        if (::poll(&writable, 1, wait) < 0 && errno != EINTR)
            return errno;
    }
    return 0;
}

int PosixSerialPort::read(std::uint8_t *buffer, std::size_t length, std::size_t &received)
{
    received = 0;
    const auto deadline = after(static_cast<unsigned long long>(m_timeouts.readPerByte) * length +
                                m_timeouts.readConstant);
    auto lastByte = Clock::time_point::max();
    while (received < length) {
        auto until = deadline;
        if (received > 0 && m_timeouts.readInterval > 0)
            until = std::min(until, lastByte + std::chrono::milliseconds(m_timeouts.readInterval));
        const int wait = millisecondsUntil(until);
        if (wait == 0)
            return 0;
        pollfd readable{m_fd, POLLIN, 0};
        const int ready = ::poll(&readable, 1, wait);
        if (ready < 0 && errno != EINTR)
            return errno;
        if (ready <= 0)
            continue;
        const ssize_t count = ::read(m_fd, buffer + received, length - received);
        if (count > 0) {
            received += static_cast<std::size_t>(count);
            lastByte = Clock::now();
        } else if (count == 0) {
            return EIO; // readable yet empty: the line hung up
        } else if (errno != EAGAIN && errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

void PosixSerialPort::close()
{
    if (m_fd < 0)
        return;
    // The exclusive flag belongs to the device, not to this descriptor: drop it, or the port
    // stays closed to everyone while any other descriptor keeps the device alive.
    if (m_exclusive)
        ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
    m_exclusive = false;
}

} // namespace zupri
