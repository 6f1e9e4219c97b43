#pragma once

#include "ticketprinter/SerialPort.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace zupri {

// Result codes of a transaction that are not a reply byte or a system error.
enum TransactionResult : int
{
    kNotReady = 4,
    kPurgeOutputFailed = 808,
    kPurgeInputFailed = 809,
    kTimeoutsFailed = 810,
    kOpenedAlreadyExists = 1002,
    kOpenedAccessDenied = 1010,
    kOpenedOtherError = 1030,
    kReadSettingsFailed = 1666,
    kWriteFailed = 6000,
    kReadFailed = 8000,
};

struct Transaction
{
    std::string portName; // "COM1" to "COM4"
    const std::uint8_t *data = nullptr;
    std::size_t length = 0;
    std::uint8_t *reply = nullptr; // receives the reply when more than one byte is expected
    std::size_t replyLength = 0;
    bool special = false; // skips the printer-ready check
};

// The time-outs used for a reply of the given length.
SerialTimeouts timeoutsForReply(std::size_t replyLength);

// Opens the port, sets it up, checks the printer, sends, reads the reply and closes the port on
// every path. Returns the transaction's result code.
int runTransaction(SerialPort &port, const Transaction &transaction);

} // namespace zupri
