#pragma once

#include "ticketprinter/SerialPort.h"

#include <termios.h>

namespace zupri {

// A serial device through termios. "COM1" to "COM4" are /dev/ttyS0 to /dev/ttyS3 unless the
// environment variable ZUPRI_COM1 to ZUPRI_COM4 names another device (a USB adapter, a
// pseudo-terminal). Time-outs are kept here and applied with poll().
class PosixSerialPort final : public SerialPort
{
public:
    PosixSerialPort() = default;
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort &) = delete;
    PosixSerialPort &operator=(const PosixSerialPort &) = delete;

    static std::string devicePath(const std::string &portName);

    OpenResult open(const std::string &portName) override;
    int readLineSettings() override;
    int writeLineSettings() override;
    int purgeOutput() override;
    int purgeInput() override;
    int setTimeouts(const SerialTimeouts &timeouts) override;
    int readClearToSend(bool &ctsOn) override;
    void setRtsDtr(bool raised) override;
    int write(const std::uint8_t *data, std::size_t length) override;
    int read(std::uint8_t *buffer, std::size_t length, std::size_t &received) override;
    void close() override;

private:
    int m_fd = -1;
    bool m_exclusive = false;
    termios m_settings{};
    SerialTimeouts m_timeouts;
};

} // namespace zupri
