#include "ticketprinter/FakeSerialPort.h"

#include "ticketprinter/SerialPortFactory.h"

#include <algorithm>

FakeSerialPort::FakeSerialPort(std::shared_ptr<FakePortScript> script) : m_script(std::move(script))
{
}

int FakeSerialPort::step(PortStep step, const char *call)
{
    m_script->calls.push_back(call);
    const auto failure = m_script->failures.find(step);
    return failure == m_script->failures.end() ? 0 : failure->second;
}

zupri::OpenResult FakeSerialPort::open(const std::string &portName)
{
    m_script->calls.push_back("open " + portName);
    if (const auto failure = m_script->failures.find(PortStep::Open);
        failure != m_script->failures.end())
        return {failure->second, 0};
    m_script->open = true;
    const auto report = m_script->failures.find(PortStep::OpenReport);
    return {0, report == m_script->failures.end() ? 0 : report->second};
}

int FakeSerialPort::readLineSettings()
{
    return step(PortStep::ReadSettings, "read-settings");
}

int FakeSerialPort::writeLineSettings()
{
    return step(PortStep::WriteSettings, "write-settings");
}

int FakeSerialPort::purgeOutput()
{
    return step(PortStep::PurgeOutput, "purge-output");
}

int FakeSerialPort::purgeInput()
{
    return step(PortStep::PurgeInput, "purge-input");
}

int FakeSerialPort::setTimeouts(const zupri::SerialTimeouts &timeouts)
{
    m_script->timeouts = timeouts;
    return step(PortStep::SetTimeouts, "timeouts");
}

int FakeSerialPort::readClearToSend(bool &ctsOn)
{
    ctsOn = m_script->ctsOn;
    return step(PortStep::ReadCts, "cts");
}

void FakeSerialPort::setRtsDtr(bool raised)
{
    m_script->calls.push_back(raised ? "rts-dtr on" : "rts-dtr off");
}

int FakeSerialPort::write(const std::uint8_t *data, std::size_t length)
{
    if (const int error = step(PortStep::Write, "write"))
        return error;
    m_script->sent.emplace_back(reinterpret_cast<const char *>(data), length);
    return 0;
}

int FakeSerialPort::read(std::uint8_t *buffer, std::size_t length, std::size_t &received)
{
    received = 0;
    m_script->readRequests.push_back(length);
    if (const int error = step(PortStep::Read, "read"))
        return error;
    received = std::min(length, m_script->answer.size());
    std::copy_n(m_script->answer.begin(), received, buffer);
    m_script->answer.erase(0, received);
    return 0;
}

void FakeSerialPort::close()
{
    m_script->calls.push_back("close");
    m_script->open = false;
}

FakePortInstaller::FakePortInstaller() : m_script(std::make_shared<FakePortScript>())
{
    zupri::setSerialPortFactory(
        [script = m_script] { return std::make_unique<FakeSerialPort>(script); });
}

FakePortInstaller::~FakePortInstaller()
{
    zupri::setSerialPortFactory({});
}
