#include "ticketprinter/SerialPortFactory.h"

#include "ticketprinter/PosixSerialPort.h"

namespace zupri {

namespace {

SerialPortFactory &installedFactory()
{
    static SerialPortFactory factory;
    return factory;
}

} // namespace

std::unique_ptr<SerialPort> createSerialPort()
{
    if (installedFactory())
        return installedFactory()();
    return std::make_unique<PosixSerialPort>();
}

void setSerialPortFactory(SerialPortFactory factory)
{
    installedFactory() = std::move(factory);
}

} // namespace zupri
