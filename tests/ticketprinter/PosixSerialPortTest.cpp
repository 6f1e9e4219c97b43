// The termios port against real devices: a file that is no terminal, and a pseudo-terminal
// (no modem lines) standing in for the printer's port.
#include "ticketprinter/PosixSerialPort.h"
#include "ticketprinter/ZupriDLL.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

class PosixPort : public testing::Test
{
protected:
    void SetUp() override { ZupriOpenPort('0'); }
    void TearDown() override
    {
        for (const char *name : {"ZUPRI_COM1", "ZUPRI_COM2", "ZUPRI_COM3"})
            ::unsetenv(name);
    }
};

class PseudoTerminalPort : public PosixPort
{
protected:
    void SetUp() override
    {
        PosixPort::SetUp();
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(m_master, 0);
        ASSERT_EQ(::grantpt(m_master), 0);
        ASSERT_EQ(::unlockpt(m_master), 0);
        m_path = ::ptsname(m_master);
        ::setenv("ZUPRI_COM1", m_path.c_str(), 1);
    }
    void TearDown() override
    {
        ::close(m_master);
        PosixPort::TearDown();
    }

    std::string received()
    {
        std::string bytes;
        pollfd readable{m_master, POLLIN, 0};
        char buffer[256];
        ssize_t count = 0;
        while (::poll(&readable, 1, 50) > 0 &&
               (count = ::read(m_master, buffer, sizeof buffer)) > 0)
            bytes.append(buffer, static_cast<std::size_t>(count));
        return bytes;
    }

    int m_master = -1;
    std::string m_path;
};

TEST_F(PosixPort, ComNamesAreTheSerialDevicesUnlessTheEnvironmentNamesOthers)
{
    EXPECT_EQ(zupri::PosixSerialPort::devicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(zupri::PosixSerialPort::devicePath("COM4"), "/dev/ttyS3");
    ::setenv("ZUPRI_COM2", "/dev/ttyUSB0", 1);
    EXPECT_EQ(zupri::PosixSerialPort::devicePath("COM2"), "/dev/ttyUSB0");
    ::setenv("ZUPRI_COM3", "", 1);
    EXPECT_EQ(zupri::PosixSerialPort::devicePath("COM3"), "/dev/ttyS2");
}

TEST_F(PosixPort, FileThatIsNoTerminalIsReportedAfterOpening)
{
    const auto path = std::filesystem::temp_directory_path() / "zupri-not-a-port";
    std::ofstream(path) << "x";
    ::setenv("ZUPRI_COM1", path.c_str(), 1);
    EXPECT_EQ(ZupriTxBuffer("\x1B@", 2), 1030 + ENOTTY);
    std::filesystem::remove(path);
}

TEST_F(PseudoTerminalPort, DeviceWithoutModemLinesIsReadyAndFreeAgainAfterTheCall)
{
    const int held = ::open(m_path.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(held, 0);
    EXPECT_EQ(ZupriStatusImpressora(), '1');
    EXPECT_EQ(ZupriSendCmd("\x1B@", 2, nullptr, 0, 0), 0);
    EXPECT_EQ(received(), "\x1B@");
    // The exclusive flag lives on in the device while anyone holds it open.
    int exclusive = -1;
    ASSERT_EQ(::ioctl(held, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    ::close(held);
}

TEST_F(PseudoTerminalPort, PortHeldByAnotherProgramIsBusy)
{
    const int held = ::open(m_path.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(ZupriSendCmd("x", 1, nullptr, 0, 0), EBUSY);
    ::close(held);
    EXPECT_EQ(ZupriSendCmd("x", 1, nullptr, 0, 0), 0);
}

TEST_F(PseudoTerminalPort, SilentPrinterGivesZeroAfterTheReplyTimeout)
{
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(ZupriTxBuffer("\x1B@", 2), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(200));
}

} // namespace
