#pragma once

#include "ticketprinter/SerialPort.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// The steps of a transaction a scripted port can fail at.
enum class PortStep
{
    Open,
    OpenReport, // opened, but the system reported an error
    ReadSettings,
    WriteSettings,
    PurgeOutput,
    PurgeInput,
    SetTimeouts,
    ReadCts,
    Write,
    Read,
};

// What the printer behind the fake port does, and what the library did to the port.
struct FakePortScript
{
    bool ctsOn = true;
    std::string answer;               // bytes the printer answers, consumed by reads
    std::map<PortStep, int> failures; // step -> system error code

    std::vector<std::string> calls; // "open COM1", "write", "rts-dtr on", "close" ...
    std::vector<std::string> sent;  // the bytes of each write
    std::vector<std::size_t> readRequests;
    zupri::SerialTimeouts timeouts;
    bool open = false;
};

class FakeSerialPort final : public zupri::SerialPort
{
public:
    explicit FakeSerialPort(std::shared_ptr<FakePortScript> script);

    zupri::OpenResult open(const std::string &portName) override;
    int readLineSettings() override;
    int writeLineSettings() override;
    int purgeOutput() override;
    int purgeInput() override;
    int setTimeouts(const zupri::SerialTimeouts &timeouts) override;
    int readClearToSend(bool &ctsOn) override;
    void setRtsDtr(bool raised) override;
    int write(const std::uint8_t *data, std::size_t length) override;
    int read(std::uint8_t *buffer, std::size_t length, std::size_t &received) override;
    void close() override;

private:
    int step(PortStep step, const char *call);

    std::shared_ptr<FakePortScript> m_script;
};

// Installs fake ports driven by one script for the life of the object.
class FakePortInstaller
{
public:
    FakePortInstaller();
    ~FakePortInstaller();
    FakePortScript &script() { return *m_script; }

private:
    std::shared_ptr<FakePortScript> m_script;
};
