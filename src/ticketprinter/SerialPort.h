#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>

namespace zupri {

// Read and write time-outs in milliseconds, counted the way serial drivers count them: a read
// ends when readInterval passes between two bytes or when
// readPerByte * requested + readConstant passes in all; a write gets
// writePerByte * length + writeConstant.
struct SerialTimeouts
{
    unsigned readInterval = 0;
    unsigned readPerByte = 0;
    unsigned readConstant = 0;
    unsigned writePerByte = 10;
    unsigned writeConstant = 100;
};

// What an open reports: a failure, or a device that opened while the system flagged a problem.
struct OpenResult
{
    int error = 0;    // the device could not be opened
    int reported = 0; // it opened, but the system reported this error on the way
};

// One serial device for the length of one transaction. Functions that can fail return 0 or the
// system's error code.
class SerialPort
{
public:
    virtual ~SerialPort() = default;

    // portName is "COM1" to "COM4"; the port is opened exclusively, for reading and writing.
    virtual OpenResult open(const std::string &portName) = 0;
    virtual int readLineSettings() = 0;
    // Writes the printer's fixed line settings over those last read.
    virtual int writeLineSettings() = 0;
    virtual int purgeOutput() = 0;
    virtual int purgeInput() = 0;
    virtual int setTimeouts(const SerialTimeouts &timeouts) = 0;
    virtual int readClearToSend(bool &ctsOn) = 0;
    virtual void setRtsDtr(bool raised) = 0;
    virtual int write(const std::uint8_t *data, std::size_t length) = 0;
    // Reads up to length bytes within the time-outs; fewer bytes on a time-out is no failure.
    virtual int read(std::uint8_t *buffer, std::size_t length, std::size_t &received) = 0;
    virtual void close() = 0;
};

// The system's codes for the two open conditions the result codes single out.
#if defined(_WIN32)
inline constexpr int kErrorAlreadyExists = 183;
inline constexpr int kErrorAccessDenied = 5;
#else
inline constexpr int kErrorAlreadyExists = EEXIST;
inline constexpr int kErrorAccessDenied = EACCES;
#endif

} // namespace zupri
