// The ticket printer's replies: whatever bytes come back over the serial line, for a command
// that expects one byte and for one that expects a longer answer.
#include "fuzz/FuzzInput.h"
#include "ticketprinter/FakeSerialPort.h"
#include "ticketprinter/PrinterTransaction.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const std::uint8_t status[] = {0x1b, 'v'};
    for (std::size_t expected : {std::size_t(1), std::size_t(9), std::size_t(17)}) {
        auto script = std::make_shared<FakePortScript>();
        script->answer.assign(reinterpret_cast<const char *>(data), size);
        FakeSerialPort port(script);
        std::uint8_t reply[17] = {};
        zupri::Transaction transaction;
        transaction.portName = "COM1";
        transaction.data = status;
        transaction.length = sizeof status;
        transaction.reply = expected > 1 ? reply : nullptr;
        transaction.replyLength = expected;
        (void)zupri::runTransaction(port, transaction);
    }
    return 0;
}
