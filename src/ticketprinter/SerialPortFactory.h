#pragma once

#include "ticketprinter/SerialPort.h"

#include <functional>
#include <memory>

namespace zupri {

using SerialPortFactory = std::function<std::unique_ptr<SerialPort>()>;

// A new, closed port for one transaction: the platform's, unless a factory was installed.
std::unique_ptr<SerialPort> createSerialPort();

// Puts another kind of port in place of the platform's (tests); an empty factory restores it.
void setSerialPortFactory(SerialPortFactory factory);

} // namespace zupri
